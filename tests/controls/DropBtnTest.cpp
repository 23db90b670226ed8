#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScreen>
#include <QTest>

#include "controls/DropBtn.h"
#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "model/WindowMessages.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LogFont.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

constexpr UINT kDropNotifyId = 3301;
constexpr COLORREF kDropDefault = COLORREF(-1);

class CDropBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFlatBackground(&parent, QColor(227, 228, 238));
        parent.setGeometry(40, 40, 300, 200);
        button = new CDropBtn(&parent);
        button->setGeometry(20, 20, 120, 22);
        previous = SetCursorHook({[this] { return cursor; }, nullptr});
    }
    void TearDown() override { SetCursorHook(previous); }

    void Fill(int n)
    {
        button->List()->ResetContent();
        for (int i = 0; i < n; ++i)
            button->List()->AddString(QStringLiteral("Item %1").arg(i + 1));
    }
    void Click()
    {
        SendMouse(button, QEvent::MouseButtonPress, QPoint(10, 9), Qt::LeftButton, Qt::LeftButton);
        SendMouse(button, QEvent::MouseButtonRelease, QPoint(10, 9), Qt::LeftButton);
    }
    void Enter()
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(button, &enter);
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
    }
    QRect Popup() { return button->DropList()->geometry(); }
    QRect ButtonOnScreen() { return QRect(button->mapToGlobal(QPoint(0, 0)), button->size()); }
    QColor Face() { return QColor(Render(button).pixel(3, 3)); }

    CRecordingWidget parent;
    CDropBtn* button = nullptr;
    QPoint cursor{-100, -100};
    CursorHook previous;
};

TEST_F(CDropBtnTest, SetupColoursAndDefaults)
{
    ASSERT_TRUE(button->Setup(kDropNotifyId, kDropDefault, RGB(1, 2, 3), kDropDefault, kDropDefault, nullptr));
    EXPECT_EQ(button->BackColour(), QColor(255, 217, 205));
    EXPECT_EQ(button->HotColour(), QColor(233, 229, 255)) << "the default face ignores the hot colour";
    EXPECT_EQ(button->ArrowColour(), QColor(0, 255, 0));
    EXPECT_EQ(button->TextColour(), QColor(0, 0, 0));
    EXPECT_EQ(CellHeightOfFont(button->TextFont()), 15);
    EXPECT_EQ(button->List()->GetItemHeight(), 15);
    EXPECT_EQ(QColor(Render(button).pixel(0, 0)), QColor(Qt::black)) << "frame";
    EXPECT_EQ(Face(), QColor(255, 217, 205));
    Enter();
    EXPECT_EQ(Face(), QColor(233, 229, 255));
    Leave();
    EXPECT_EQ(Face(), QColor(255, 217, 205));

    const QFont font = *CreateFont(20, 700);
    ASSERT_TRUE(button->Setup(kDropNotifyId, RGB(10, 20, 30), RGB(40, 50, 60), RGB(200, 0, 0), RGB(255, 255, 255), &font));
    EXPECT_EQ(Face(), QColor(10, 20, 30));
    Enter();
    EXPECT_EQ(Face(), QColor(40, 50, 60));
    EXPECT_EQ(&button->TextFont(), &font);
    button->setText(QStringLiteral("Bessel"));
    EXPECT_GT(CountPixels(Render(button), Qt::white, 80), 10) << "the text colour";
}

TEST_F(CDropBtnTest, TheArrowOfATenPixelM)
{
    // A face whose "M" is 10 pixels wide.
    std::optional<QFont> font;
    for (int h = 8; h < 40 && !font; ++h) {
        QFont f = *CreateFont(h, 400);
        if (QFontMetrics(f).horizontalAdvance(QLatin1Char('M')) == 10)
            font = f;
    }
    ASSERT_TRUE(font.has_value());
    ASSERT_TRUE(button->Setup(kDropNotifyId, kDropDefault, kDropDefault, RGB(0, 0, 255), kDropDefault, &*font));
    const QRect arrow = PixelBounds(Render(button), [](QRgb p) { return p == qRgb(0, 0, 255); });
    EXPECT_EQ(arrow.width(), 10);
    EXPECT_EQ(arrow.height(), 6) << "5 pixels deep under its top row";
    EXPECT_EQ(arrow.left(), 120 - 10 - 5);
    const QFontMetrics metrics(*font);
    EXPECT_EQ(arrow.top(), (22 - metrics.height()) / 2 + metrics.height() / 3);
}

TEST_F(CDropBtnTest, PopupHeightsAlwaysUnderTheButton)
{
    ASSERT_TRUE(button->Setup(kDropNotifyId, kDropDefault, kDropDefault, kDropDefault, kDropDefault, nullptr));
    const struct {
        int items, height;
    } cases[] = {{5, 75}, {7, 100}, {12, 100}, {0, 100}};
    for (const auto& k : cases) {
        Fill(k.items);
        Click();
        ASSERT_TRUE(button->IsDropped()) << k.items;
        EXPECT_EQ(Popup().height(), k.height) << k.items;
        EXPECT_EQ(Popup().width(), 120) << k.items;
        EXPECT_EQ(Popup().topLeft(), ButtonOnScreen().bottomLeft()) << k.items;
        Click();
        EXPECT_FALSE(button->IsDropped()) << k.items;
    }
    // At the foot of the screen it still opens downwards.
    const QRect work = parent.screen()->availableGeometry();
    parent.move(work.left() + 10, work.bottom() - 50);
    parent.show();
    Fill(7);
    Click();
    ASSERT_TRUE(button->IsDropped());
    EXPECT_EQ(Popup().top(), ButtonOnScreen().bottom());
    EXPECT_GT(Popup().bottom(), work.bottom());
}

TEST_F(CDropBtnTest, APickAndAMoveAwayFromButtonAndList)
{
    parent.show();
    ASSERT_TRUE(button->Setup(kDropNotifyId, kDropDefault, kDropDefault, kDropDefault, kDropDefault, nullptr));
    Fill(5);
    Click();
    ASSERT_TRUE(button->IsDropped());
    CDropListBox* list = button->List();
    const QPoint at = list->visualItemRect(list->item(2)).center();
    cursor = list->viewport()->mapToGlobal(at);
    SendMouse(list->viewport(), QEvent::MouseMove, at);
    SendMouse(list->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(list->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton);
    EXPECT_FALSE(button->IsDropped());
    EXPECT_EQ(button->text(), QStringLiteral("Item 3"));
    EXPECT_EQ(list->GetSelIndex(), 2);
    EXPECT_FALSE(button->IsHover()) << "a pick leaves the hover flag";
    parent.DeliverPosted();
    const auto picks = parent.Messages(WM_COMBOBTN_SELCHANGE);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].wParam, kDropNotifyId);
    EXPECT_EQ(picks[0].lParam, 2);

    // While open, a move over the list or the button keeps it; a move
    // anywhere else closes it.
    Click();
    ASSERT_TRUE(button->IsDropped());
    Enter();
    EXPECT_FALSE(button->IsHover()) << "no hover look while open";
    SendMouse(list->viewport(), QEvent::MouseMove, at);
    SendMouse(button, QEvent::MouseMove, QPoint(5, 5));
    EXPECT_TRUE(button->IsDropped());
    SendMouse(&parent, QEvent::MouseMove, QPoint(290, 190));
    EXPECT_FALSE(button->IsDropped());
}

TEST_F(CDropBtnTest, InputBeforeSetupOnlyPaintsTheHoverLook)
{
    parent.show();
    Enter();
    EXPECT_TRUE(button->IsHover());
    SendMouse(button, QEvent::MouseMove, QPoint(6, 6));
    Click();
    EXPECT_EQ(button->DropList(), nullptr);
    EXPECT_EQ(button->List(), nullptr);
    QCoreApplication::processEvents();
    Leave();
    EXPECT_FALSE(button->IsHover());
    EXPECT_EQ(SendMessage(button, WM_COMBOBTN_SELCHANGE, 0, 0), 1);
    parent.DeliverPosted();
    EXPECT_EQ(parent.Messages(WM_COMBOBTN_SELCHANGE).size(), 1u);
}

}  // namespace
