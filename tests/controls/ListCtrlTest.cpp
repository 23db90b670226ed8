// The report list: items and columns with their texts and bounds, the
// header items as a printer or exporter reads them, the extended style and
// colours as drawn, and the header's question before a divider drag
// reaching the list's parent, whose answer decides.
#include <gtest/gtest.h>

#include "controls/ListCtrl.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/controls/ListTestSupport.h"

namespace {

TEST(ListCtrlTest, ItemsColumnsAndTheirTexts)
{
    CListCtrl list;
    EXPECT_EQ(list.InsertColumn(0, QStringLiteral("Args"), LVCFMT_CENTER, 110), 0);
    EXPECT_EQ(list.InsertColumn(5, QStringLiteral("CH1"), LVCFMT_RIGHT, 80), 1);
    EXPECT_EQ(list.InsertColumn(1, QStringLiteral("Mic 1")), 1);
    EXPECT_EQ(list.InsertColumn(-1, QStringLiteral("x")), -1);
    EXPECT_EQ(list.InsertItem(0, QStringLiteral("EQ1 Type")), 0);
    EXPECT_EQ(list.InsertItem(9, QStringLiteral("EQ1 Gain")), 1);
    EXPECT_EQ(list.InsertItem(0, QStringLiteral("first")), 0);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_TRUE(list.SetItemText(2, 2, QStringLiteral("'0.0dB'")));
    EXPECT_FALSE(list.SetItemText(3, 0, QStringLiteral("no row")));
    EXPECT_FALSE(list.SetItemText(0, 3, QStringLiteral("no column")));
    EXPECT_EQ(list.GetItemText(2, 2), QStringLiteral("'0.0dB'"));
    EXPECT_EQ(list.GetItemText(2, 0), QStringLiteral("EQ1 Gain"));
    EXPECT_EQ(list.GetItemText(1, 1), QString());
    EXPECT_EQ(list.GetItemText(7, 7), QString());

    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_EQ(header->GetItemCount(), 3);
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    ASSERT_TRUE(header->GetItem(2, &item));
    EXPECT_EQ(item.cxy, 80);
    EXPECT_EQ(item.pszText, QStringLiteral("CH1"));
    EXPECT_EQ(item.fmt, HDF_RIGHT);
    HDITEM textOnly;
    textOnly.mask = HDI_TEXT;
    ASSERT_TRUE(header->GetItem(0, &textOnly));
    EXPECT_EQ(textOnly.pszText, QStringLiteral("Args"));
    EXPECT_EQ(textOnly.cxy, 0);
    EXPECT_FALSE(header->GetItem(3, &item));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_FALSE(list.DeleteItem(2));
    EXPECT_EQ(list.GetItemText(0, 0), QStringLiteral("EQ1 Type"));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(header->GetItemCount(), 3);
}

TEST(ListCtrlTest, StyleColoursAndItemHeightAsDrawn)
{
    CListCtrl list;
    list.resize(300, 200);
    FillList(list, 4, 2, 100);
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), 0u);
    EXPECT_EQ(list.GetExtendedStyle(), 0x21u);
    EXPECT_TRUE(list.showGrid());
    list.SetBkColor(RGB(247, 247, 255));
    list.SetTextColor(RGB(0, 0, 255));
    list.SetTextBkColor(RGB(200, 255, 200));
    list.SetItemHeight(21);
    list.show();
    const QImage image = Render(&list);

    const QRect cell = CellInList(list, 1, 1);
    EXPECT_EQ(cell.height(), 21);
    // The text background fills the cell, the text is in the text colour,
    // the empty part of the list shows the background.
    EXPECT_GT(CountPixels(image, QColor(200, 255, 200), 0, cell), cell.width() * cell.height() / 2);
    EXPECT_GT(CountPixels(image, QColor(0, 0, 255), 60, cell), 5);
    const QRect below(cell.left(), CellInList(list, 3, 1).bottom() + 3, cell.width(), 10);
    EXPECT_EQ(CountPixels(image, QColor(247, 247, 255), 0, below), below.width() * below.height());

    CRect bounds;
    EXPECT_TRUE(list.GetSubItemRect(3, 1, LVIR_LABEL, bounds));
    EXPECT_EQ(bounds, CRect(100, 63, 200, 84));
    EXPECT_FALSE(list.GetSubItemRect(4, 0, LVIR_LABEL, bounds));
}

// A parent answering the header's question with its recorded answer.
class CAnsweringParent : public CRecordingWidget {};

TEST(ListCtrlTest, TheParentAnswersTheHeadersQuestionBeforeADividerDrag)
{
    for (LRESULT answer : {LRESULT(1), LRESULT(0)}) {
        SCOPED_TRACE(answer);
        CAnsweringParent parent;
        parent.m_nAnswer = answer;
        auto* list = new CListCtrl(&parent);
        list->resize(300, 200);
        FillList(*list, 2, 2, 100);
        parent.show();
        const int width = DragDivider(list->GetHeaderCtrl(), 0, 40);
        const auto notices = parent.Messages(WM_NOTIFY);
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_TRUE(notices[0].bSent);
        EXPECT_EQ(width, answer ? 100 : 140);
        // Pressing inside an item asks nothing.
        SendMouse(list->GetHeaderCtrl()->viewport(), QEvent::MouseButtonPress, QPoint(50, 5), Qt::LeftButton,
                  Qt::LeftButton);
        SendMouse(list->GetHeaderCtrl()->viewport(), QEvent::MouseButtonRelease, QPoint(50, 5), Qt::LeftButton);
        EXPECT_EQ(parent.Messages(WM_NOTIFY).size(), 1u);
    }
}

}  // namespace
