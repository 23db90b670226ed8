// The per-cell colour list: a cell without a record in the system colours
// (whatever the list's own colours), the last record of a cell winning,
// rows coloured column by column, records that keep their row numbers when
// an item is deleted, and column dividers that cannot be dragged.
#include <gtest/gtest.h>

#include <memory>

#include "controls/ColorListCtrl.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/controls/ListTestSupport.h"

namespace {

const COLORREF kCellRed = RGB(255, 0, 0);
const COLORREF kCellBlue = RGB(0, 0, 255);
const COLORREF kCellWhite = RGB(255, 255, 255);
const COLORREF kCellYellow = RGB(255, 255, 0);

class ColorListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list = std::make_unique<CColorListCtrl>();
        m_list->resize(300, 200);
        FillList(*m_list, 5, 3, 90);
        m_list->show();
    }

    int Pixels(const QImage& image, int row, int col, COLORREF colour, int tolerance = 0) const
    {
        return CountPixels(image, ToQColor(colour), tolerance, CellInList(*m_list, row, col));
    }
    int Area(int row, int col) const
    {
        const QRect cell = CellInList(*m_list, row, col);
        return cell.width() * cell.height();
    }

    std::unique_ptr<CColorListCtrl> m_list;
};

TEST_F(ColorListCtrlTest, ACellWithoutARecordHasTheSystemColours)
{
    m_list->SetTextColor(RGB(0, 200, 0));
    m_list->SetTextBkColor(kCellYellow);
    const QImage image = Render(m_list.get());
    const COLORREF window = ToColorRef(GetSysColor(COLOR_WINDOW));
    const COLORREF text = ToColorRef(GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_GT(Pixels(image, 1, 1, window), Area(1, 1) * 2 / 3);
    EXPECT_GT(Pixels(image, 1, 1, text, 40), 3);
    EXPECT_EQ(Pixels(image, 1, 1, kCellYellow), 0);
    EXPECT_EQ(Pixels(image, 1, 1, RGB(0, 200, 0), 40), 0);
}

TEST_F(ColorListCtrlTest, TheLastRecordOfACellCounts)
{
    m_list->SetCellColor(0, 1, kCellRed, kCellWhite);
    m_list->SetCellColor(0, 1, kCellBlue, kCellYellow);
    const QImage image = Render(m_list.get());
    EXPECT_GT(Pixels(image, 0, 1, kCellBlue, 40), 3);
    EXPECT_EQ(Pixels(image, 0, 1, kCellRed, 40), 0);
    EXPECT_GT(Pixels(image, 0, 1, kCellYellow), Area(0, 1) * 2 / 3);
    EXPECT_EQ(m_list->m_CellColors.size(), 2u);

    m_list->SetRowColor(3, kCellRed, kCellYellow);
    EXPECT_EQ(m_list->m_CellColors.size(), 5u);
    const QImage row = Render(m_list.get());
    for (int col = 0; col < 3; ++col)
        EXPECT_GT(Pixels(row, 3, col, kCellYellow), Area(3, col) * 2 / 3) << col;

    m_list->ClearCellColors();
    EXPECT_TRUE(m_list->m_CellColors.empty());
    m_list->SetRowColor(1, kCellRed, kCellYellow);
    EXPECT_TRUE(m_list->DeleteAllItems());
    EXPECT_TRUE(m_list->m_CellColors.empty());
}

TEST_F(ColorListCtrlTest, DeletedItemsTakeTheirRecordsAndLaterRowsKeepTheirNumbers)
{
    m_list->SetRowColor(3, kCellRed, kCellYellow);
    m_list->SetRowColor(2, kCellBlue, kCellWhite);
    EXPECT_FALSE(m_list->DeleteItem(7));
    EXPECT_EQ(m_list->m_CellColors.size(), 6u);
    EXPECT_TRUE(m_list->DeleteItem(2));
    EXPECT_EQ(m_list->m_CellColors.size(), 3u);
    const QImage image = Render(m_list.get());
    // The item that moved to row 2 is uncoloured; the one that moved to row
    // 3 takes row 3's colour.
    EXPECT_EQ(m_list->GetItemText(2, 0), QStringLiteral("3,0"));
    EXPECT_EQ(Pixels(image, 2, 0, kCellYellow), 0);
    EXPECT_GT(Pixels(image, 3, 0, kCellYellow), Area(3, 0) * 2 / 3);
    EXPECT_EQ(m_list->GetItemText(3, 0), QStringLiteral("4,0"));
}

TEST_F(ColorListCtrlTest, ColumnDividersCannotBeDragged)
{
    CRecordingWidget parent;
    m_list->setParent(&parent);
    parent.show();
    EXPECT_EQ(DragDivider(m_list->GetHeaderCtrl(), 0, 40), 90);
    EXPECT_TRUE(parent.Messages(WM_NOTIFY).empty());
    m_list->setParent(nullptr);
}

}  // namespace
