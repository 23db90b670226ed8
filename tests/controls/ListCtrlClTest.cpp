// The coloured report list: which colour a cell is drawn with (cell before
// column before the list's), the row and single-cell records, the first
// record winning, the row height, the keys that do nothing and those that
// still act, and column dividers that cannot be dragged.
#include <gtest/gtest.h>

#include <memory>

#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "controls/HeaderCtrlCl.h"
#include "controls/ListCtrlCl.h"
#include "platform/core/Language.h"
#include "platform/gui/DrawItemStruct.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/controls/ListTestSupport.h"

namespace {

const QColor kClRed(255, 0, 0);
const QColor kClGreen(0, 160, 0);
const QColor kClBlue(0, 0, 255);
const QColor kClGrey(128, 128, 128);

class ListCtrlClTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_list = std::make_unique<CListCtrlCl>();
        m_list->resize(360, 240);
        m_list->SetBkColor(RGB(128, 128, 128));
        m_list->SetRowHeight(18);
        FillList(*m_list, 8, 4, 80);
    }

    // The share of the cell's pixels in colour (the text takes a few).
    double Share(const QImage& image, int row, int col, const QColor& colour) const
    {
        const QRect cell = CellInList(*m_list, row, col);
        return double(CountPixels(image, colour, 0, cell)) / (cell.width() * cell.height());
    }

    std::unique_ptr<CListCtrlCl> m_list;
};

TEST_F(ListCtrlClTest, CellColourBeforeColumnColourBeforeTheLists)
{
    m_list->SetColBkColor(1, RGB(255, 0, 0));
    m_list->SetCellBkColor(1, 2, RGB(0, 160, 0));
    m_list->SetColTextColor(2, RGB(0, 0, 255));
    m_list->SetCellTextColor(3, 1, RGB(255, 0, 0));
    m_list->show();
    const QImage image = Render(m_list.get());

    EXPECT_GT(Share(image, 2, 1, kClGreen), 0.7);  // column and cell colour: the cell's
    EXPECT_GT(Share(image, 1, 1, kClRed), 0.7);    // column colour only
    EXPECT_GT(Share(image, 1, 0, kClGrey), 0.7);   // neither: the list's background
    // Text: the cell's text colour, else the column's, else black.
    EXPECT_GT(CountPixels(image, kClBlue, 40, CellInList(*m_list, 4, 2)), 3);
    EXPECT_GT(CountPixels(image, kClRed, 40, CellInList(*m_list, 1, 3)), 3);
    EXPECT_EQ(CountPixels(image, kClRed, 40, CellInList(*m_list, 2, 3)), 0);
    EXPECT_GT(CountPixels(image, Qt::black, 40, CellInList(*m_list, 2, 3)), 3);

    // A selected row is drawn on the highlight, its texts keep their colours.
    m_list->selectRow(4);
    const QImage selected = Render(m_list.get());
    EXPECT_GT(Share(selected, 4, 1, GetSysColor(COLOR_HIGHLIGHT)), 0.7);
    EXPECT_GT(CountPixels(selected, kClBlue, 40, CellInList(*m_list, 4, 2)), 3);
}

TEST_F(ListCtrlClTest, RowAndCellRecords)
{
    COLORREF colour = 0;
    m_list->SetRowBkColor(2, RGB(1, 2, 3));
    for (int col = 0; col < 4; ++col)
        EXPECT_TRUE(m_list->GetCellBkColor(col, 2, &colour)) << col;
    m_list->SetCellBkColor(1, 0, RGB(4, 5, 6));
    for (int col = 0; col < 4; ++col)
        EXPECT_FALSE(m_list->GetCellBkColor(col, 2, &colour)) << col;
    ASSERT_TRUE(m_list->GetCellBkColor(1, 0, &colour));
    EXPECT_EQ(colour, RGB(4, 5, 6));
    EXPECT_FALSE(m_list->GetCellBkColor(0, 1, &colour));

    // The first record of a column counts.
    m_list->SetColBkColor(3, RGB(7, 7, 7));
    m_list->SetColBkColor(3, RGB(9, 9, 9));
    ASSERT_TRUE(m_list->GetColBkColor(3, &colour));
    EXPECT_EQ(colour, RGB(7, 7, 7));
    m_list->SetRowTextColor(5, RGB(1, 1, 1));
    m_list->SetRowTextColor(5, RGB(2, 2, 2));
    ASSERT_TRUE(m_list->GetCellTextColor(0, 5, &colour));
    EXPECT_EQ(colour, RGB(1, 1, 1));

    // Without columns a row gets no record.
    CListCtrlCl empty;
    empty.SetRowBkColor(0, RGB(1, 2, 3));
    empty.SetRowTextColor(0, RGB(1, 2, 3));
    EXPECT_TRUE(empty.m_CellBkColors.empty());
    EXPECT_TRUE(empty.m_CellTextColors.empty());
}

TEST_F(ListCtrlClTest, RowHeightAndDrawItem)
{
    EXPECT_EQ(m_list->GetItemHeight(), 18);
    EXPECT_EQ(CellInList(*m_list, 3, 0).height(), 18);
    m_list->SetRowHeight(0);
    EXPECT_EQ(m_list->GetItemHeight(), QFontMetrics(m_list->font()).height() + 4);

    // DrawItem draws a row's cells with the list font of the language.
    m_list->SetRowHeight(24);
    m_list->SetCellBkColor(2, 1, RGB(0, 160, 0));
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        QImage image(m_list->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_LISTVIEW;
        dis.itemID = 1;
        dis.hDC = &painter;
        m_list->DrawItem(&dis);
        painter.end();
        const QRect cell = m_list->visualRect(m_list->model()->index(1, 2));
        EXPECT_GT(CountPixels(image, kClGreen, 0, cell), cell.width() * cell.height() / 2);
        EXPECT_EQ(CountPixels(image, Qt::white, 0, QRect(0, 0, 320, 24)), 320 * 24);  // row 0 untouched
        const QRect ink = PixelBounds(image.copy(QRect(0, 24, 80, 24)), [](QRgb p) { return qGray(p) < 60; });
        EXPECT_FALSE(ink.isEmpty());
    }
    g_bChinese = 0;
}

TEST_F(ListCtrlClTest, KeysThatMoveThroughRowsDoNothing)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    m_list->setParent(&window);
    for (int r = 8; r < 200; ++r)
        m_list->InsertItem(r, QString::number(r));
    layout->addWidget(m_list.get());
    auto* next = new QLineEdit(&window);
    layout->addWidget(next);
    window.resize(360, 300);
    window.show();
    m_list->setFocus();
    m_list->setCurrentCell(50, 0);
    m_list->scrollToItem(m_list->item(50, 0));
    QScrollBar* bar = m_list->verticalScrollBar();
    const int scrolled = bar->value();
    ASSERT_GT(scrolled, 0);

    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
                        Qt::Key_Right, Qt::Key_Delete}) {
        QTest::keyClick(m_list.get(), key);
        EXPECT_EQ(m_list->currentRow(), 50) << key;
        EXPECT_EQ(bar->value(), scrolled) << key;
        EXPECT_EQ(m_list->GetItemCount(), 200) << key;
    }
    QTest::keyClick(m_list.get(), Qt::Key_PageUp);
    EXPECT_LT(bar->value(), scrolled);
    // Tab leaves the list for the next control.
    QTest::keyClick(m_list.get(), Qt::Key_Tab);
    EXPECT_EQ(window.focusWidget(), next);
    m_list->setParent(nullptr);
}

TEST_F(ListCtrlClTest, ColumnDividersCannotBeDragged)
{
    CRecordingWidget parent;
    m_list->setParent(&parent);
    parent.show();
    EXPECT_EQ(DragDivider(m_list->GetHeaderCtrl(), 1, 50), 80);
    EXPECT_EQ(DragDivider(m_list->GetHeaderCtrl(), 0, -30), 80);
    // The list answers itself; its parent is not asked.
    EXPECT_TRUE(parent.Messages(WM_NOTIFY).empty());
    m_list->setParent(nullptr);
}

}  // namespace
