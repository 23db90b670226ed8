#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QCoreApplication>

#include "controls/XPButton.h"
#include "model/WindowMessages.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

enum : UINT {
    CHECKED_NORMAL = 8801, CHECKED_HOVER, CHECKED_PRESSED, NORMAL, HOVER, PRESSED,
    DISABLED_CHECKED, DISABLED_UNCHECKED, MARK_CHECKED, MARK_UNCHECKED, QUAD = 8850, MISSING = 8999,
};
const QColor kPage(227, 228, 238);
const QColor kQuad[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};  // TL, TR, BL, BR

QColor ColourOf(UINT id)
{
    return QColor(QColor::fromHsv(int(id - CHECKED_NORMAL) * 30 % 360, 255, 220).rgb());
}

class XPButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (UINT id = CHECKED_NORMAL; id <= MARK_UNCHECKED; ++id)
            CResourceStore::SetFlatImage(QStringLiteral("BMP"), id, QSize(20, 10), ColourOf(id));
        QImage quad(20, 10, QImage::Format_RGB32);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                quad.setPixel(x, y, kQuad[(y >= 5 ? 2 : 0) + (x >= 10 ? 1 : 0)].rgb());
        CResourceStore::SetImage(QStringLiteral("BMP"), QUAD, quad);
        SetFlatBackground(&parent, kPage);
        parent.resize(200, 100);
    }
    void TearDown() override
    {
        CResourceStore::ClearOverrides();
        CXPButton::SetSoundPlayer(nullptr);
    }

public:
    CXPButton* Make(int id = 5320)
    {
        auto* b = new CXPButton(&parent);
        SetDlgCtrlID(b, id);
        b->resize(20, 10);
        b->move(10, 10);
        b->SetBitmaps(CHECKED_NORMAL, CHECKED_HOVER, CHECKED_PRESSED, NORMAL, HOVER, PRESSED);
        return b;
    }
    QImage Shown(QWidget* w) { return parent.grab(w->geometry()).toImage(); }
    QColor Face(QWidget* w) { return QColor(Shown(w).pixel(5, 5)); }
    void Move(CXPButton* b, QPoint p = QPoint(5, 5)) { SendMouse(b, QEvent::MouseMove, p); }
    void Leave(CXPButton* b)
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(b, &leave);
    }
    void Press(CXPButton* b) { SendMouse(b, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton); }
    void Release(CXPButton* b) { SendMouse(b, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton); }

protected:
    CRecordingWidget parent;
};

TEST_F(XPButtonTest, StartsChecked)
{
    CXPButton* b = Make();
    EXPECT_TRUE(b->GetCheck());
    EXPECT_EQ(Face(b), ColourOf(CHECKED_NORMAL));
}

TEST_F(XPButtonTest, FacesFollowTheState)
{
    struct Case {
        const char* what;
        std::function<void(XPButtonTest*, CXPButton*)> act;
        UINT face;
    };
    const auto uncheck = [](CXPButton* b) { b->SetCheck(false); };
    const auto marks = [](CXPButton* b) { b->SetMarkBitmaps(MARK_CHECKED, MARK_UNCHECKED); };
    const Case cases[] = {
        {"unchecked", [&](auto*, auto* b) { uncheck(b); }, NORMAL},
        {"hover", [&](auto* t, auto* b) { uncheck(b); t->Move(b); }, HOVER},
        {"pressed", [&](auto* t, auto* b) { uncheck(b); t->Move(b); t->Press(b); }, PRESSED},
        {"pressed, pointer off", [&](auto* t, auto* b) { uncheck(b); t->Move(b); t->Press(b); t->Move(b, QPoint(60, 5)); },
         NORMAL},
        {"checked hover", [](auto* t, auto* b) { t->Move(b); }, CHECKED_HOVER},
        {"checked pressed", [](auto* t, auto* b) { t->Move(b); t->Press(b); }, CHECKED_PRESSED},
        {"mark", [&](auto*, auto* b) { uncheck(b); marks(b); b->SetMark(true); }, MARK_UNCHECKED},
        {"mark over hover and press",
         [&](auto* t, auto* b) { uncheck(b); marks(b); b->SetMark(true); t->Move(b); t->Press(b); }, MARK_UNCHECKED},
        {"checked mark", [&](auto*, auto* b) { marks(b); b->SetMark(true); }, MARK_CHECKED},
        {"own disabled over the mark",
         [&](auto*, auto* b) {
             marks(b);
             b->SetMark(true);
             b->SetDisabledBitmaps(DISABLED_CHECKED, DISABLED_UNCHECKED);
             b->SetDisabled(true);
         },
         DISABLED_CHECKED},
        {"own disabled unchecked",
         [&](auto*, auto* b) {
             uncheck(b);
             b->SetDisabledBitmaps(DISABLED_CHECKED, DISABLED_UNCHECKED);
             b->SetDisabled(true);
         },
         DISABLED_UNCHECKED},
        // Id 0 or a missing bitmap keeps the face shown before.
        {"id 0", [](auto*, auto* b) { b->SetBitmaps(0, 0, 0, NORMAL, HOVER, PRESSED); }, CHECKED_NORMAL},
        {"missing", [](auto*, auto* b) { b->SetBitmaps(MISSING, 0, 0, NORMAL, HOVER, PRESSED); }, CHECKED_NORMAL},
        {"own disabled without bitmaps", [](auto*, auto* b) { b->SetDisabled(true); }, CHECKED_NORMAL},
    };
    int id = 5320;
    for (const Case& c : cases) {
        CXPButton* b = Make(id++);
        c.act(this, b);
        EXPECT_EQ(Face(b), ColourOf(c.face)) << c.what;
        delete b;
    }
    CXPButton* b = Make();
    b->SetDisabled(true);
    EXPECT_FALSE(b->isEnabled());
    b->SetDisabled(false);
    EXPECT_TRUE(b->isEnabled());
}

// A button whose size differs from its bitmap shows the first face scaled to
// its old size (cut to the new one), every later one 1:1.
TEST_F(XPButtonTest, FirstDrawScaledThenOneToOne)
{
    auto* b = new CXPButton(&parent);
    b->setGeometry(10, 10, 40, 20);
    b->SetBitmaps(QUAD, QUAD, QUAD, QUAD, QUAD, QUAD);
    EXPECT_EQ(b->size(), QSize(20, 10));
    QImage shown = Shown(b);
    EXPECT_EQ(CountPixels(shown, kQuad[0]), 20 * 10);
    b->Repaint();
    shown = Shown(b);
    for (int q = 0; q < 4; ++q)
        EXPECT_EQ(CountPixels(shown, kQuad[q]), 10 * 5) << q;
}

TEST_F(XPButtonTest, OneHoverNoticePerEntry)
{
    CXPButton* b = Make(5321);
    b->EnableMoveNotify(true);
    Move(b, QPoint(3, 3));
    Move(b, QPoint(4, 4));
    Move(b, QPoint(5, 4));
    ASSERT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 1u);
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER)[0].lParam, 5321);
    EXPECT_TRUE(parent.Messages(WM_CONTROL_HOVER)[0].bSent);
    Leave(b);
    Move(b, QPoint(6, 6));
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 2u);
    // Entering again at the point last notified sends nothing.
    Leave(b);
    Move(b, QPoint(6, 6));
    EXPECT_EQ(parent.Messages(WM_CONTROL_HOVER).size(), 2u);
}

TEST_F(XPButtonTest, RepeatTicksWhilePressed)
{
    CXPButton* b = Make(5687);
    b->EnableRepeat(true);
    Move(b);
    Press(b);
    ASSERT_TRUE(WaitFor([&] { return parent.Messages(WM_SELECT_UI_MODE2).size() >= 3; }));
    Release(b);
    EXPECT_EQ(b->GetRepeatCount(), 0);
    const auto ticks = parent.Messages(WM_SELECT_UI_MODE2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ticks[i].wParam, 5687u);
        EXPECT_EQ(ticks[i].lParam, i + 1);
        EXPECT_FALSE(ticks[i].bSent);
    }
    // Without repeat nothing ticks.
    CXPButton* plain = Make(5688);
    Move(plain);
    Press(plain);
    QCoreApplication::processEvents();
    Release(plain);
    EXPECT_EQ(plain->GetRepeatCount(), 0);
}

TEST_F(XPButtonTest, HoverSoundByThePlayer)
{
    std::vector<CXPButton::HoverSound> played;
    CXPButton::SetSoundPlayer([&](CXPButton::HoverSound s) { played.push_back(s); });
    CXPButton* b = Make();
    auto enter = [&] {
        Leave(b);
        Move(b);
    };
    enter();
    b->EnableHoverSound(true);
    enter();  // the sound itself is off
    b->SetHoverSound(true, QString());
    enter();
    b->SetHoverSound(true, QStringLiteral("IDR_WAVE1"));
    enter();
    Move(b, QPoint(7, 7));  // no new entry
    b->EnableHoverSound(false);
    enter();
    EXPECT_EQ(played, (std::vector<CXPButton::HoverSound>{CXPButton::HoverSound::Beep, CXPButton::HoverSound::Wave}));
}

}  // namespace
