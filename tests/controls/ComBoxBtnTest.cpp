#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "controls/ComBoxBtn.h"
#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "model/WindowMessages.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

enum : UINT { FACE = 9701, FACE_HOVER = 9702 };
constexpr int kButtonId = 1012;
constexpr UINT kNotifyId = 1015;
const QColor kHot(13, 133, 138);

class ComBoxBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), FACE, QSize(75, 19), QColor(60, 60, 80));
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), FACE_HOVER, QSize(75, 19), QColor(90, 90, 110));
        SetFlatBackground(&parent, QColor(227, 228, 238));
        parent.setGeometry(40, 40, 300, 200);
        button = new CComBoxBtn(&parent);
        SetDlgCtrlID(button, kButtonId);
        button->move(20, 20);
        button->SetBitmaps(FACE, FACE_HOVER);
        EXPECT_TRUE(button->CreateDropList(&parent, kNotifyId));
        Fill(9);
        previous = SetCursorHook({[this] { return cursor; }, nullptr});
    }
    void TearDown() override
    {
        SetCursorHook(previous);
        CResourceStore::ClearOverrides();
    }

public:
    void Fill(int n)
    {
        button->ResetContent();
        for (int i = 0; i < n; ++i)
            button->AddString(QStringLiteral("%1dB/Oct").arg(6 * (i + 1)));
    }
    void ShowActive()
    {
        parent.show();
        parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    }
    void Click()
    {
        SendMouse(button, QEvent::MouseButtonPress, QPoint(10, 9), Qt::LeftButton, Qt::LeftButton);
        SendMouse(button, QEvent::MouseButtonRelease, QPoint(10, 9), Qt::LeftButton);
    }
    CDropListBox* List() { return button->List(); }
    QRect Popup() { return button->DropList()->geometry(); }
    QRect ButtonOnScreen() { return QRect(button->mapToGlobal(QPoint(0, 0)), button->size()); }
    // A click on item row of the open list, the cursor inside or outside the
    // popup.
    void PickWithMouse(int row, bool inside)
    {
        const QPoint at = List()->visualItemRect(List()->item(row)).center();
        cursor = inside ? List()->viewport()->mapToGlobal(at) : Popup().bottomRight() + QPoint(50, 50);
        SendMouse(List()->viewport(), QEvent::MouseMove, at);
        SendMouse(List()->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        SendMouse(List()->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
    }
    void KeyInList(int key, bool inside)
    {
        cursor = inside ? Popup().center() : Popup().bottomRight() + QPoint(50, 50);
        QTest::keyClick(List(), Qt::Key(key));
    }
    void Wheel(int delta)
    {
        QWheelEvent wheel(QPointF(10, 9), button->mapToGlobal(QPointF(10, 9)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(button, &wheel);
    }
    std::vector<LPARAM> Picks()
    {
        parent.DeliverPosted();
        std::vector<LPARAM> out;
        for (const auto& m : parent.Messages(WM_COMBOBTN_SELCHANGE)) {
            EXPECT_EQ(m.wParam, kNotifyId);
            out.push_back(m.lParam);
        }
        return out;
    }

protected:
    CRecordingWidget parent;
    CComBoxBtn* button = nullptr;
    QPoint cursor;
    CursorHook previous;
};

TEST_F(ComBoxBtnTest, PopupHeightByItemCount)
{
    EXPECT_EQ(button->size(), QSize(75, 19));
    struct Case {
        int items, height;
    } cases[] = {{9, 126}, {10, 130}, {0, 130}, {3, 42}};
    for (const Case& c : cases) {
        Fill(c.items);
        EXPECT_FALSE(button->IsDropped()) << c.items;
        Click();
        ASSERT_TRUE(button->IsDropped()) << c.items;
        EXPECT_EQ(Popup().height(), c.height) << c.items;
        EXPECT_EQ(Popup().width(), 75) << c.items;
        // Under the button, over its last pixel row.
        EXPECT_EQ(Popup().topLeft(), ButtonOnScreen().bottomLeft()) << c.items;
        Click();  // an open list closes
        EXPECT_FALSE(button->IsDropped()) << c.items;
    }
}

TEST_F(ComBoxBtnTest, OpensUpwardNearTheBottomOfTheWorkArea)
{
    const QRect work = parent.screen()->availableGeometry();
    parent.move(work.left() + 10, work.bottom() - 60);
    ShowActive();
    Click();
    ASSERT_TRUE(button->IsDropped());
    EXPECT_EQ(Popup().height(), 126);
    EXPECT_EQ(Popup().bottom() + 1, ButtonOnScreen().top());
}

TEST_F(ComBoxBtnTest, PickPostsAndAPickOutsideRestores)
{
    Click();
    PickWithMouse(3, true);
    EXPECT_FALSE(button->IsDropped());
    EXPECT_EQ(Picks(), (std::vector<LPARAM>{3}));
    EXPECT_EQ(button->text(), QStringLiteral("24dB/Oct"));
    EXPECT_EQ(List()->GetSelIndex(), 3);
    EXPECT_TRUE(button->IsHover());  // the hover look stays after a pick

    // A key in the open list picks at once with the cursor inside...
    parent.Clear();
    Click();
    KeyInList(Qt::Key_Down, true);
    EXPECT_EQ(Picks(), (std::vector<LPARAM>{4}));
    // ...and closes it, back at the last pick, with the cursor outside.
    parent.Clear();
    Click();
    KeyInList(Qt::Key_Down, false);
    EXPECT_FALSE(button->IsDropped());
    EXPECT_TRUE(Picks().empty());
    EXPECT_EQ(button->GetCurSel(), 4);
    EXPECT_EQ(button->text(), QStringLiteral("30dB/Oct"));
    Click();
    PickWithMouse(7, false);
    EXPECT_TRUE(Picks().empty());
    EXPECT_EQ(button->GetCurSel(), 4);
}

TEST_F(ComBoxBtnTest, SetCurSelLeavesTheRememberedIndex)
{
    button->SetCurSel(3);
    EXPECT_EQ(button->GetCurSel(), 3);
    EXPECT_EQ(button->text(), QStringLiteral("24dB/Oct"));
    EXPECT_TRUE(Picks().empty());
    EXPECT_EQ(List()->GetSelIndex(), 0);
    Click();
    KeyInList(Qt::Key_Down, false);  // a cancelled pick
    EXPECT_EQ(button->GetCurSel(), 0);
    // An index outside the list clears the selection and keeps the text.
    button->SetCurSel(5);
    button->SetCurSel(99);
    EXPECT_EQ(button->GetCurSel(), -1);
    EXPECT_EQ(button->text(), QStringLiteral("36dB/Oct"));
    // An empty list: nothing happens.
    Fill(0);
    button->SetCurSel(0);
    EXPECT_EQ(button->text(), QStringLiteral("36dB/Oct"));
    Wheel(120);
    EXPECT_TRUE(Picks().empty());
}

TEST_F(ComBoxBtnTest, WheelStepsBySummedDeltas)
{
    button->SetCurSel(5);
    Wheel(60);
    EXPECT_TRUE(Picks().empty());
    Wheel(60);
    EXPECT_EQ(Picks(), (std::vector<LPARAM>{4}));
    EXPECT_EQ(button->text(), QStringLiteral("30dB/Oct"));
    parent.Clear();
    Wheel(-120);
    Wheel(-240);
    EXPECT_EQ(Picks(), (std::vector<LPARAM>{5, 6}));
    // At either end the same index is posted again.
    parent.Clear();
    button->SetCurSel(0);
    Wheel(120);
    button->SetCurSel(8);
    Wheel(-120);
    EXPECT_EQ(Picks(), (std::vector<LPARAM>{0, 8}));
}

TEST_F(ComBoxBtnTest, HeadersAreNeitherHotNorPicked)
{
    CDropListBox* list = List();
    list->ResetContent();
    EXPECT_EQ(list->AddGroupString(QStringLiteral("USB"), 1, RGB(255, 255, 255), RGB(255, 255, 0)), 0);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("Device 1"), 1, RGB(200, 200, 200), RGB(255, 255, 0)), 1);
    Click();
    // The header under the mouse is selected but not drawn hot.
    const QPoint header = list->visualItemRect(list->item(0)).center();
    SendMouse(list->viewport(), QEvent::MouseMove, header);
    EXPECT_EQ(list->currentRow(), 0);
    const QRect headerRect = list->visualItemRect(list->item(0));
    EXPECT_EQ(CountPixels(list->grab().toImage(), kHot, 0, headerRect), 0);
    PickWithMouse(0, true);
    EXPECT_TRUE(button->IsDropped());
    EXPECT_TRUE(Picks().empty());
    // A plain item under the mouse is hot.
    const QPoint item = list->visualItemRect(list->item(1)).center();
    SendMouse(list->viewport(), QEvent::MouseMove, item);
    EXPECT_GT(CountPixels(list->grab().toImage(), kHot, 0, list->visualItemRect(list->item(1))), 20);
}

TEST_F(ComBoxBtnTest, GroupRules)
{
    CDropListBox* list = List();
    list->ResetContent();
    EXPECT_EQ(list->GetGroupCount(), 0);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("A"), 2, 0, 0), CDropListBox::LB_ERR);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("A"), 1, 0, 0), 0);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("a1"), 1, 0, 0), 1);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("B"), 2, 0, 0), 2);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("b1"), 2, 0, 0), 3);
    EXPECT_EQ(list->AddGroupString(QStringLiteral("a2"), 1, 0, 0), 4);  // never sorted
    EXPECT_EQ(list->AddGroupString(QStringLiteral("D"), 4, 0, 0), CDropListBox::LB_ERR);
    EXPECT_EQ(list->GetGroupCount(), 2);
    const BYTE headers[] = {1, 0, 1, 0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list->Record(i).header, headers[i]) << i;
    EXPECT_EQ(list->Record(1).text, RGB(0, 0, 0));

    // Deleting a header takes its group's items up to the next header.
    EXPECT_EQ(list->DeleteString(0), 1);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("B"));
    EXPECT_EQ(list->GetGroupCount(), 1);
    // A group running to the end goes whole.
    EXPECT_EQ(list->DeleteString(0), 0);
    EXPECT_EQ(list->DeleteString(0), CDropListBox::LB_ERR);
    // A following header that is the last item goes with the group.
    list->AddGroupString(QStringLiteral("A"), 1, 0, 0);
    list->AddGroupString(QStringLiteral("a1"), 1, 0, 0);
    list->AddGroupString(QStringLiteral("B"), 2, 0, 0);
    EXPECT_EQ(list->DeleteString(0), 1);
    EXPECT_EQ(list->count(), 0);
    // A plain item: the count left.
    list->AddString(QStringLiteral("x"));
    list->AddString(QStringLiteral("y"));
    EXPECT_EQ(list->currentRow(), 0);  // the second item selects the remembered index
    EXPECT_EQ(list->DeleteString(1), 1);
    EXPECT_EQ(list->InsertString(5, QStringLiteral("z")), CDropListBox::LB_ERR);
    EXPECT_EQ(list->InsertString(0, QStringLiteral("z")), 0);
    EXPECT_EQ(list->InsertString(-1, QStringLiteral("w")), 2);
}

TEST_F(ComBoxBtnTest, HoverNoticesAndTheFocusBeforeAndWhileOpen)
{
    auto* field = new QLineEdit(&parent);
    field->setGeometry(150, 20, 60, 20);
    button->EnableMoveNotify(true);
    ShowActive();
    field->setFocus();
    ASSERT_TRUE(WaitFor([&] { return field->hasFocus(); }));
    field->setText(QStringLiteral("12"));

    // Before the first opening a move leaves the field focused and sends
    // the key flags.
    SendMouse(button, QEvent::MouseMove, QPoint(5, 5));
    SendMouse(button, QEvent::MouseMove, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_TRUE(field->hasFocus());
    auto hovers = parent.Messages(WM_CONTROL_HOVER);
    ASSERT_EQ(hovers.size(), 1u);
    EXPECT_EQ(hovers[0].wParam, 0u);
    EXPECT_EQ(hovers[0].lParam, kButtonId);

    // Open: -1, and the list takes the keyboard.
    Click();
    ASSERT_TRUE(button->IsDropped());
    SendMouse(button, QEvent::MouseMove, QPoint(6, 5));
    hovers = parent.Messages(WM_CONTROL_HOVER);
    ASSERT_EQ(hovers.size(), 2u);
    EXPECT_EQ(hovers[1].wParam, WPARAM(-1));
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == List(); }));

    // Closed again (a pick): the key flags, and none while the button has
    // the focus.
    PickWithMouse(2, true);
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    button->setFocus();
    ASSERT_TRUE(WaitFor([&] { return button->hasFocus(); }));
    SendMouse(button, QEvent::MouseMove, QPoint(7, 5));
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 2u);
    field->setFocus();
    ASSERT_TRUE(WaitFor([&] { return field->hasFocus(); }));
    SendMouse(button, QEvent::MouseMove, QPoint(8, 5), Qt::NoButton, Qt::LeftButton);
    hovers = parent.Messages(WM_CONTROL_HOVER);
    ASSERT_EQ(hovers.size(), 3u);
    EXPECT_EQ(hovers[2].wParam, 1u);  // MK_LBUTTON
}

}  // namespace
