#include <gtest/gtest.h>

#include <functional>

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include "controls/BitButton.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Flat-colour test skins, one colour a face.
enum : UINT {
    NORMAL = 11, HOVER = 12, DOWN = 13,
    CHECKED = 21, CHECKED_HOVER = 22, CHECKED_DOWN = 23,
    DISABLED = 31, DISABLED_CHECKED = 32,
    HIGHLIGHT = 41, CHECKED_HIGHLIGHT = 42,
    BIG = 50, MISSING = 59999,
};

const UINT kFaces[] = {NORMAL,   HOVER,           DOWN,      CHECKED,          CHECKED_HOVER,
                       CHECKED_DOWN, DISABLED,  DISABLED_CHECKED, HIGHLIGHT, CHECKED_HIGHLIGHT};
const QColor kColours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta,
                           Qt::gray, Qt::darkGray, QColor(255, 128, 0), QColor(128, 64, 0)};

QColor ColourOf(UINT face)
{
    for (int i = 0; i < 10; ++i)
        if (kFaces[i] == face)
            return kColours[i];
    return QColor();
}

class BitButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 10; ++i)
            CResourceStore::SetFlatImage(QStringLiteral("BMP"), kFaces[i], QSize(40, 20), kColours[i]);
        CResourceStore::SetFlatImage(QStringLiteral("BMP"), BIG, QSize(60, 30), Qt::black);
        button = MakeButton(7);
    }
    void TearDown() override { CResourceStore::ClearOverrides(); }

public:
    CBitButton* MakeButton(int id)
    {
        auto* b = new CBitButton(&parent);
        SetDlgCtrlID(b, id);
        b->SetBitmaps(NORMAL, HOVER, DOWN, CHECKED, CHECKED_HOVER, CHECKED_DOWN);
        b->SetDisabledBitmaps(DISABLED, DISABLED_CHECKED);
        b->SetHighlightBitmaps(HIGHLIGHT, CHECKED_HIGHLIGHT);
        return b;
    }
    QColor Face(CBitButton* b) { return QColor(Render(b).pixel(1, 1)); }
    void MoveTo(CBitButton* b, QPoint p, Qt::MouseButtons held = Qt::NoButton)
    {
        SendMouse(b, QEvent::MouseMove, p, Qt::NoButton, held);
    }
    void Press(CBitButton* b, QPoint p = QPoint(5, 5))
    {
        SendMouse(b, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(CBitButton* b, QPoint p = QPoint(5, 5))
    {
        SendMouse(b, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    void DoubleClick(CBitButton* b)
    {
        SendMouse(b, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
        Release(b);
    }

protected:
    CRecordingWidget parent;
    CBitButton* button = nullptr;
};

TEST_F(BitButtonTest, FaceFollowsCheckHoverDownAndEnabled)
{
    const QPoint in(5, 5), out(100, 5);
    struct Case {
        const char* what;
        std::function<void(BitButtonTest*, CBitButton*)> act;
        UINT face;
    };
    const Case cases[] = {
        {"normal", [](auto*, auto*) {}, NORMAL},
        {"hover", [&](auto* t, auto* b) { t->MoveTo(b, in); }, HOVER},
        {"pressed over it", [&](auto* t, auto* b) { t->MoveTo(b, in); t->Press(b); }, DOWN},
        {"pressed, moved off",
         [&](auto* t, auto* b) { t->MoveTo(b, in); t->Press(b); t->MoveTo(b, out, Qt::LeftButton); }, NORMAL},
        {"pressed, off and back",
         [&](auto* t, auto* b) {
             t->MoveTo(b, in); t->Press(b); t->MoveTo(b, out, Qt::LeftButton); t->MoveTo(b, in, Qt::LeftButton);
         },
         DOWN},
        {"released", [&](auto* t, auto* b) { t->MoveTo(b, in); t->Press(b); t->Release(b); }, HOVER},
        {"left", [&](auto* t, auto* b) { t->MoveTo(b, in); QEvent leave(QEvent::Leave); QCoreApplication::sendEvent(b, &leave); }, NORMAL},
        {"checked", [](auto*, auto* b) { b->SetCheck(true); }, CHECKED},
        {"checked hover", [&](auto* t, auto* b) { b->SetCheck(true); t->MoveTo(b, in); }, CHECKED_HOVER},
        {"checked down", [&](auto* t, auto* b) { b->SetCheck(true); t->MoveTo(b, in); t->Press(b); }, CHECKED_DOWN},
        {"highlight", [](auto*, auto* b) { b->SetHighlight(true); }, HIGHLIGHT},
        {"checked highlight", [](auto*, auto* b) { b->SetCheck(true); b->SetHighlight(true); }, CHECKED_HIGHLIGHT},
        {"highlight hover", [&](auto* t, auto* b) { b->SetHighlight(true); t->MoveTo(b, in); }, HOVER},
        {"disabled", [&](auto* t, auto* b) { t->MoveTo(b, in); b->setEnabled(false); }, DISABLED},
        {"disabled checked", [](auto*, auto* b) { b->SetCheck(true); b->setEnabled(false); }, DISABLED_CHECKED},
    };
    int id = 100;
    for (const Case& c : cases) {
        CBitButton* b = MakeButton(id++);
        c.act(this, b);
        EXPECT_EQ(b->CurrentBitmapId(), c.face) << c.what;
        EXPECT_EQ(Face(b), ColourOf(c.face)) << c.what;
    }
}

TEST_F(BitButtonTest, ADisabledParentKeepsTheFaceOnlyItsOwnDisableChangesIt)
{
    // The view is disabled under the transfer popup: its buttons take no
    // input but keep their faces, as they did on the old platform; only a
    // button disabled itself shows its disabled face.
    auto* page = new QWidget(&parent);
    CBitButton* b = MakeButton(60);
    b->setParent(page);
    b->SetCheck(true);
    page->setEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(b->CurrentBitmapId(), UINT(CHECKED));
    EXPECT_EQ(Face(b), ColourOf(CHECKED));
    b->setEnabled(false);
    EXPECT_EQ(Face(b), ColourOf(DISABLED_CHECKED));
    page->setEnabled(true);
    EXPECT_EQ(Face(b), ColourOf(DISABLED_CHECKED));
    b->setEnabled(true);
    EXPECT_EQ(Face(b), ColourOf(CHECKED));
}

TEST_F(BitButtonTest, PressedFlagStaysWhileThePointerIsOff)
{
    MoveTo(button, QPoint(5, 5));
    Press(button);
    MoveTo(button, QPoint(-20, 5), Qt::LeftButton);
    EXPECT_TRUE(button->IsDownFlag());
    EXPECT_FALSE(button->IsHover());
    Release(button, QPoint(-20, 5));
    EXPECT_FALSE(button->IsDownFlag());
}

TEST_F(BitButtonTest, TakesTheSizeOfItsStateBitmapWhenTheStateChanges)
{
    CBitButton* b = MakeButton(8);
    b->SetBitmaps(NORMAL, BIG, DOWN, 0, 0, 0);
    EXPECT_EQ(b->size(), QSize(40, 20));  // set at once, no paint ran
    MoveTo(b, QPoint(5, 5));
    EXPECT_EQ(b->size(), QSize(60, 30));
    EXPECT_EQ(Face(b), QColor(Qt::black));
    // A missing bitmap is a button face of the present size.
    b->SetBitmaps(MISSING, MISSING, MISSING, 0, 0, 0);
    EXPECT_EQ(b->size(), QSize(60, 30));
    EXPECT_EQ(QColor(Render(b).pixel(30, 15)), GetSysColor(COLOR_BTNFACE));
    b->SetBitmaps(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(QColor(Render(b).pixel(30, 15)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BitButtonTest, AFaceWithoutAPictureIsFramedAsAButtonWhileItCanBeClicked)
{
    CBitButton* b = MakeButton(10);
    b->SetBitmaps(0, 0, 0, 0, 0, 0);
    b->SetDisabledBitmaps(0, 0);
    b->resize(60, 30);
    // Light at the top left and dark at the bottom right when raised, the
    // other way round when sunken; flat when disabled.
    const auto lightness = [&](int x, int y) { return QColor(Render(b).pixel(x, y)).lightness(); };
    EXPECT_GT(lightness(1, 1), lightness(58, 28)) << "raised";
    MoveTo(b, QPoint(5, 5));
    Press(b);
    EXPECT_LT(lightness(1, 1), lightness(58, 28)) << "sunken while pressed";
    Release(b);
    b->setEnabled(false);
    EXPECT_EQ(QColor(Render(b).pixel(0, 0)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(QColor(Render(b).pixel(59, 29)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BitButtonTest, ZeroCheckedIdsTakeTheUncheckedFaces)
{
    CBitButton* b = MakeButton(9);
    b->SetBitmaps(NORMAL, HOVER, DOWN, 0, 0, 0);
    b->SetCheck(true);
    EXPECT_EQ(Face(b), QColor(Qt::red));
    MoveTo(b, QPoint(5, 5));
    EXPECT_EQ(Face(b), QColor(Qt::green));
    b->SetCheckedBitmap(CHECKED);
    EXPECT_EQ(b->CurrentBitmapId(), CHECKED);
}

TEST_F(BitButtonTest, CaptionColourPerStateAndNoneWhenEmpty)
{
    button->resize(40, 20);
    button->SetTextColors(Qt::white, Qt::black, Qt::black, Qt::white, Qt::white, Qt::white);
    EXPECT_EQ(CountPixels(Render(button), Qt::red), 40 * 20);  // empty caption: no text
    button->setText(QStringLiteral("MMM"));
    EXPECT_GT(CountPixels(Render(button), Qt::white, 60), 5);
    MoveTo(button, QPoint(5, 5));
    const QImage hover = Render(button);
    EXPECT_GT(CountPixels(hover, Qt::black, 60), 5);
    EXPECT_EQ(CountPixels(hover, Qt::white, 60), 0);
}

TEST_F(BitButtonTest, DisabledCaptionIsIndentedInItsOwnColour)
{
    button->setText(QStringLiteral("MM"));
    button->SetDisabledTextColor(Qt::white);
    button->SetDisabledTextFormat(DT_LEFT);
    button->SetDisabledTextIndent(20);
    button->setEnabled(false);
    const QRect ink = PixelBounds(Render(button), [](QRgb p) { return Near(p, Qt::white, 60); });
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 20);
}

TEST_F(BitButtonTest, ClickNotifiesTheParentAndNeverTogglesTheCheck)
{
    MoveTo(button, QPoint(5, 5));
    Press(button);
    Release(button);
    EXPECT_FALSE(button->GetCheck());
    auto sent = parent.Messages(WM_COMMAND);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0].bSent);
    EXPECT_EQ(sent[0].wParam, MAKEWPARAM(7, BN_CLICKED));
    // Released off the button: no click.
    Press(button);
    Release(button, QPoint(200, 5));
    EXPECT_EQ(parent.Messages(WM_COMMAND).size(), 1u);
    button->SetCheck(true);
    Press(button);
    Release(button);
    EXPECT_TRUE(button->GetCheck());
}

TEST_F(BitButtonTest, PartnersFollowTheHoverOfAnUncheckedButton)
{
    CBitButton* b = MakeButton(2);
    CBitButton* c = MakeButton(3);
    button->SetPartners(b, c);
    MoveTo(button, QPoint(5, 5));
    EXPECT_TRUE(b->IsHover());
    EXPECT_TRUE(c->IsHover());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_FALSE(b->IsHover());

    // While checked, its hover does not reach them; unchecking clears theirs.
    button->SetCheck(true);
    MoveTo(button, QPoint(6, 5));
    EXPECT_FALSE(b->IsHover());
    b->SetHover(true);
    button->SetCheck(false);
    EXPECT_FALSE(b->IsHover());

    // Hiding forgets the partners for good.
    button->ShowWindow(SW_HIDE);
    button->ShowWindow(SW_SHOW);
    QCoreApplication::sendEvent(button, &leave);
    MoveTo(button, QPoint(5, 5));
    EXPECT_FALSE(b->IsHover());
}

TEST_F(BitButtonTest, MoveNotifySendsOncePerPoint)
{
    MoveTo(button, QPoint(5, 5));
    EXPECT_TRUE(parent.Messages(WM_CONTROL_HOVER).empty());
    button->EnableMoveNotify(true);
    MoveTo(button, QPoint(6, 5));
    MoveTo(button, QPoint(6, 5));
    MoveTo(button, QPoint(6, 5), Qt::LeftButton);
    MoveTo(button, QPoint(7, 5), Qt::LeftButton);
    const auto hovers = parent.Messages(WM_CONTROL_HOVER);
    ASSERT_EQ(hovers.size(), 2u);
    EXPECT_TRUE(hovers[0].bSent);
    EXPECT_EQ(hovers[0].lParam, 7);
    EXPECT_EQ(hovers[0].wParam, 0u);
    EXPECT_EQ(hovers[1].wParam, WPARAM(MK_LBUTTON));
}

TEST_F(BitButtonTest, DefaultLookAndNoLookByTemplateType)
{
    CBitButton* box = new CBitButton(&parent, BS_AUTOCHECKBOX);
    CBitButton* radio = new CBitButton(&parent, BS_AUTORADIOBUTTON);
    CBitButton* push = new CBitButton(&parent, BS_PUSHBUTTON | BS_LEFT);
    EXPECT_EQ(GetWindowStyle(box) & 0xFF, DWORD(BS_AUTOCHECKBOX));
    EXPECT_EQ(GetWindowStyle(push) & 0xFF, DWORD(BS_OWNERDRAW));
    radio->SetBitmaps(NORMAL, HOVER, DOWN, 0, 0, 0);
    radio->resize(40, 20);
    QImage blank(40, 20, QImage::Format_ARGB32_Premultiplied);
    blank.fill(Qt::transparent);
    QPainter painter(&blank);
    radio->render(&painter, QPoint(), QRegion(), QWidget::RenderFlags());
    painter.end();
    EXPECT_EQ(CountTransparent(blank), 40 * 20);  // not drawn at all
}

// ---- The link-group button of the output strips ---------------------------

class LinkButtonTest : public BitButtonTest {
protected:
    void SetUp() override
    {
        BitButtonTest::SetUp();
        link = MakeButton(CBitButton::LINK_BUTTON_ID);
    }
    std::vector<WPARAM> Clicks()
    {
        std::vector<WPARAM> kinds;
        for (const auto& m : parent.Messages(WM_LINK_BUTTON_CLICK)) {
            EXPECT_FALSE(m.bSent);
            EXPECT_EQ(m.lParam, 0);
            kinds.push_back(m.wParam);
        }
        return kinds;
    }
    CBitButton* link = nullptr;
};

TEST_F(LinkButtonTest, SingleClickArrivesAfterTheDelay)
{
    QElapsedTimer clock;
    clock.start();
    Press(link);
    Release(link);
    ASSERT_TRUE(WaitFor([&] { return !Clicks().empty(); }));
    EXPECT_GE(clock.elapsed(), 210);
    QTest::qWait(100);
    EXPECT_EQ(Clicks(), std::vector<WPARAM>{WM_LBUTTONDOWN});
}

TEST_F(LinkButtonTest, QuickDoubleClickGivesOnlyTheDoubleClick)
{
    Press(link);
    Release(link);
    DoubleClick(link);
    QTest::qWait(400);
    EXPECT_EQ(Clicks(), std::vector<WPARAM>{WM_LBUTTONDBLCLK});
}

TEST_F(LinkButtonTest, SlowDoubleClickGivesTheClickThenTheDoubleClick)
{
    Press(link);
    Release(link);
    ASSERT_TRUE(WaitFor([&] { return !Clicks().empty(); }));
    DoubleClick(link);
    QTest::qWait(400);
    EXPECT_EQ(Clicks(), (std::vector<WPARAM>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

TEST_F(LinkButtonTest, EachRightPressAtOnce)
{
    SendMouse(link, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    SendMouse(link, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton, Qt::NoButton);
    SendMouse(link, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    parent.DeliverPosted();
    EXPECT_EQ(Clicks(), (std::vector<WPARAM>{WM_RBUTTONDOWN, WM_RBUTTONDOWN}));
}

TEST_F(LinkButtonTest, OtherButtonsPostNoLinkClicks)
{
    Press(button);
    Release(button);
    DoubleClick(button);
    SendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    QTest::qWait(300);
    EXPECT_TRUE(Clicks().empty());
}

}  // namespace
