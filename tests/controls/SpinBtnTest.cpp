#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include "controls/SpinBtn.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/ResourceStore.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Flat faces of a 55-pixel step button: idle and each zone lit.
enum : UINT { IDLE = 9301, DOWN_LIT = 9302, MIDDLE_LIT = 9303, UP_LIT = 9304, DISABLED = 9305 };
const QColor kIdle(50, 50, 60);
const QColor kDownLit(200, 0, 0);
const QColor kMiddleLit(0, 200, 0);
const QColor kUpLit(0, 0, 200);
const QColor kDisabled(120, 120, 120);

class CRecordingSpin : public ISpinStepTarget {
public:
    void StepBy(int delta) override { steps.push_back(delta); }
    std::vector<int> steps;
};

class SpinBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto [id, colour] : {std::pair{IDLE, kIdle}, {DOWN_LIT, kDownLit}, {MIDDLE_LIT, kMiddleLit},
                                  {UP_LIT, kUpLit}, {DISABLED, kDisabled}})
            CResourceStore::SetFlatImage(QStringLiteral("BMP"), id, QSize(55, 20), colour);
        field.setFocusPolicy(Qt::StrongFocus);
        field.setGeometry(10, 10, 80, 24);
        button = new CSpinBtn(&field, WS_CHILD | WS_VISIBLE | BS_TOP);
        button->SetBitmaps(IDLE, DOWN_LIT, MIDDLE_LIT, UP_LIT);
        button->SetDisabledBitmap(DISABLED);
        button->SetBuddy(4013, &spin);
    }
    void TearDown() override { CResourceStore::ClearOverrides(); }

    void Move(const QPoint& at, Qt::MouseButtons buttons = Qt::NoButton)
    {
        SendMouse(button, QEvent::MouseMove, at, Qt::NoButton, buttons);
    }
    void Press(const QPoint& at) { SendMouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void Release(const QPoint& at) { SendMouse(button, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

    // The field the button lies over: a message target that records the
    // press the button posts.
    CRecordingWidget field;
    CSpinBtn* button = nullptr;
    CRecordingSpin spin;
};

TEST_F(SpinBtnTest, ZonesOfA55PixelFace)
{
    EXPECT_EQ(button->size(), QSize(55, 20));
    EXPECT_EQ(button->ZoneRect(CSpinBtn::ZONE_DOWN), CRect(0, 0, 10, 20));
    EXPECT_EQ(button->ZoneRect(CSpinBtn::ZONE_MIDDLE), CRect(10, 0, 45, 20));
    EXPECT_EQ(button->ZoneRect(CSpinBtn::ZONE_UP), CRect(45, 0, 55, 20));

    // Inactive, nothing lights up.
    Move(QPoint(3, 5));
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_NONE);
    EXPECT_TRUE(Near(Render(button).pixel(3, 18), kIdle, 0));

    button->SetActive(true);
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_MIDDLE);
    const struct {
        int x;
        int zone;
        QColor face;
    } cases[] = {{0, CSpinBtn::ZONE_DOWN, kDownLit},   {9, CSpinBtn::ZONE_DOWN, kDownLit},
                 {10, CSpinBtn::ZONE_MIDDLE, kMiddleLit}, {44, CSpinBtn::ZONE_MIDDLE, kMiddleLit},
                 {45, CSpinBtn::ZONE_UP, kUpLit},     {54, CSpinBtn::ZONE_UP, kUpLit}};
    for (const auto& c : cases) {
        Move(QPoint(c.x, 10));
        EXPECT_EQ(button->HotZone(), c.zone) << c.x;
        EXPECT_TRUE(Near(Render(button).pixel(27, 18), c.face, 0)) << c.x;
    }
    button->setEnabled(false);
    EXPECT_TRUE(Near(Render(button).pixel(27, 18), kDisabled, 0));
}

TEST_F(SpinBtnTest, TheCaptionIsWhiteAboveTheBottomFivePixels)
{
    QFont font = button->font();
    font.setPixelSize(14);
    font.setBold(true);
    button->setFont(font);
    button->setText(QStringLiteral("888"));
    const QImage shown = Render(button);
    const QRect text = PixelBounds(shown, [](QRgb p) { return Near(p, QColor(255, 255, 255), 0); });
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LT(text.bottom(), 20 - 5);
    EXPECT_NEAR(text.center().x(), 27, 2);
    button->setEnabled(false);
    EXPECT_GT(CountPixels(Render(button), QColor(155, 155, 155)), 0);
}

TEST_F(SpinBtnTest, HoldingAnEndZoneRepeatsAfterTheHover)
{
    field.show();
    button->SetActive(true);
    // A press on the active button asks for the hover after 1000 ms; a move
    // asks after 1 ms. The press itself steps nothing and posts the field a
    // press at (0, 0).
    Press(QPoint(50, 10));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_TRUE(button->HasFocusFlag());
    EXPECT_TRUE(spin.steps.empty());
    field.DeliverPosted();
    const auto posted = field.Messages(WM_LBUTTONDOWN);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[0].lParam, 0);

    Move(QPoint(50, 11), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return spin.steps.size() >= 3; }));
    for (int step : spin.steps)
        EXPECT_EQ(step, +1);
    // On the middle zone the timer runs on but steps nothing; back on an
    // end zone the steps go on.
    Move(QPoint(27, 10), Qt::LeftButton);
    spin.steps.clear();
    QTest::qWait(250);
    EXPECT_TRUE(spin.steps.empty());
    EXPECT_TRUE(button->IsRepeating());
    Move(QPoint(3, 10), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !spin.steps.empty(); }));
    EXPECT_EQ(spin.steps.front(), -1);

    Release(QPoint(3, 10));
    EXPECT_FALSE(button->IsRepeating());
    EXPECT_FALSE(button->IsPressed());
}

TEST_F(SpinBtnTest, AWindowTakingTheInputEndsTheRepeat)
{
    field.show();
    button->SetActive(true);
    Press(QPoint(50, 10));
    Move(QPoint(50, 11), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !spin.steps.empty(); }));
    QDialog box;
    box.setModal(true);
    box.show();
    ASSERT_TRUE(WaitFor([&] { return !button->IsRepeating(); }));
    EXPECT_FALSE(button->IsPressed());
    spin.steps.clear();
    QTest::qWait(250);
    EXPECT_TRUE(spin.steps.empty());
}

TEST_F(SpinBtnTest, LeavingWhilePressedStopsTheSteps)
{
    field.show();
    button->SetActive(true);
    Press(QPoint(50, 10));
    Move(QPoint(50, 11), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !spin.steps.empty(); }));
    // Off the button with the mouse held (no leave event comes): nothing
    // is lit and the pressed flag is gone; the running timer steps nothing.
    Move(QPoint(70, 10), Qt::LeftButton);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_NONE);
    spin.steps.clear();
    QTest::qWait(250);
    EXPECT_TRUE(spin.steps.empty());
    Release(QPoint(70, 10));
    // A real leave lights the middle of an active button.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_MIDDLE);
}

TEST_F(SpinBtnTest, AShortClickStepsNothingADoubleClickOnce)
{
    button->SetActive(true);
    Move(QPoint(50, 10));
    Press(QPoint(50, 10));
    Release(QPoint(50, 10));
    SendMouse(button, QEvent::MouseButtonDblClick, QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    Release(QPoint(50, 10));
    QTest::qWait(50);
    EXPECT_EQ(spin.steps, (std::vector<int>{+1}));
    // Without a buddy, or inactive, nothing steps.
    button->SetActive(false);
    SendMouse(button, QEvent::MouseButtonDblClick, QPoint(50, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(spin.steps.size(), 1u);
}

TEST_F(SpinBtnTest, UpAndRightHandTheFocusBackTheWheelNeverSteps)
{
    field.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&field));
    button->SetActive(true);
    Move(QPoint(50, 10));
    for (int key : {Qt::Key_Up, Qt::Key_Right, Qt::Key_Left, Qt::Key_Down}) {
        button->setFocus();
        ASSERT_TRUE(WaitFor([&] { return button->hasFocus(); }));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
        const bool back = key == Qt::Key_Up || key == Qt::Key_Right;
        EXPECT_EQ(field.hasFocus(), back) << key;
        EXPECT_EQ(button->hasFocus(), !back) << key;
    }
    for (bool focused : {false, true}) {
        if (focused) {
            Press(QPoint(50, 10));
            Release(QPoint(50, 10));
        }
        EXPECT_EQ(button->HasFocusFlag(), focused);
        QWheelEvent wheel(QPointF(50, 10), button->mapToGlobal(QPointF(50, 10)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(button, &wheel);
    }
    EXPECT_TRUE(spin.steps.empty());
    EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
