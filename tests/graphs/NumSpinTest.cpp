#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QTest>

#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/FrequencyTables.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

constexpr int kSpinId = 4014;

class NumSpinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = false;
        field = new CNumEdit(&page);
        field->setGeometry(10, 10, 80, 20);
        spin = new CNumSpin(&page);
        spin->move(92, 9);
        SetDlgCtrlID(spin, kSpinId);
        spin->SetBuddy(field);
    }
    void TearDown() override { g_bChinese = false; }

    // Type set before the range: the spin takes the type as its mode.
    void Setup(int type, int min, int max, int count, double step = 0, double offset = 0)
    {
        field->SetStep(step);
        field->SetOffset(offset);
        field->SetValueType(type);
        spin->SetRange(min, max);
        spin->SetPos(count);
        page.Clear();
    }

    void Key(int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &press);
    }

    void Press(bool up)
    {
        SendMouse(spin, QEvent::MouseButtonPress, Arrow(up), Qt::LeftButton, Qt::LeftButton);
    }
    void Release(bool up)
    {
        SendMouse(spin, QEvent::MouseButtonRelease, Arrow(up), Qt::LeftButton, Qt::NoButton);
    }
    QPoint Arrow(bool up) const { return up ? QPoint(8, 3) : QPoint(8, spin->height() - 3); }

    std::vector<CRecordingTarget::Received> Told() const { return page.Messages(WM_COMMAND); }

    CRecordingWidget page;
    CNumEdit* field = nullptr;
    CNumSpin* spin = nullptr;
};

struct DeltaCase {
    int type;
    int min, max;
    int from;
    int key;
    int expected;
};

TEST_F(NumSpinTest, KeyStepsByMode)
{
    const DeltaCase cases[] = {
        // Ratio: tenths to 2.0:1, halves above.
        {40, 1, 191, 10, Qt::Key_Up, 11},
        {40, 1, 191, 11, Qt::Key_Up, 16},
        {40, 1, 191, 16, Qt::Key_Down, 11},
        {40, 1, 191, 11, Qt::Key_Down, 6},
        {40, 1, 191, 1, Qt::Key_Down, 1},
        {40, 1, 191, 191, Qt::Key_Up, 191},
        // Frequency grid: the point beyond the nearest one.
        {8, 20, 20000, 1000, Qt::Key_Up, 1030},
        {8, 20, 20000, 1000, Qt::Key_Down, 972},
        {8, 20, 20000, 20000, Qt::Key_Up, 20000},
        {8, 20, 20000, 20, Qt::Key_Down, 20},
        {8, 20, 20000, 21, Qt::Key_Down, 20},
        {8, 20, 20000, 19900, Qt::Key_Up, 20000},
        // Plain: one.
        {6, 20, 20000, 1000, Qt::Key_Up, 1001},
        {6, 20, 20000, 20000, Qt::Key_Up, 20000},
        {33, 0, 100, 0, Qt::Key_Down, 0},
    };
    for (const DeltaCase& c : cases) {
        Setup(c.type, c.min, c.max, c.from);
        Key(c.key);
        EXPECT_EQ(field->Value().Count(), c.expected) << "type " << c.type << " from " << c.from;
        EXPECT_EQ(spin->GetPos(), c.expected);
        // A key step tells the parent at once, even at a limit.
        const auto told = Told();
        ASSERT_EQ(told.size(), 1u) << "type " << c.type << " from " << c.from;
        EXPECT_TRUE(told[0].bSent);
        EXPECT_EQ(told[0].wParam, MAKEWPARAM(kSpinId, 0));
        EXPECT_EQ(told[0].lParam, reinterpret_cast<LPARAM>(static_cast<QWidget*>(spin)));
    }
}

TEST_F(NumSpinTest, TheModeIsTheFieldsTypeWhenTheRangeIsSet)
{
    // The band-frequency fields get their type after the range: 1 Hz steps.
    spin->SetRange(20, 20000);
    field->SetValueType(CNumEditValue::TYPE_INTEGER);
    spin->SetPos(1000);
    EXPECT_EQ(spin->GetStepMode(), CNumSpin::MODE_PLAIN);
    Key(Qt::Key_Up);
    EXPECT_EQ(field->Value().Count(), 1001);
    // A field typed into is read first.
    field->setText(QStringLiteral("1003"));
    field->SetModified(true);
    Key(Qt::Key_Up);
    EXPECT_EQ(field->Value().Count(), 1004);
    EXPECT_FALSE(field->IsModified());
    // In grid mode a typed 1003 Hz goes past the point nearest to 1004 Hz.
    spin->SetStepMode(CNumSpin::MODE_FREQUENCY);
    field->setText(QStringLiteral("1003"));
    field->SetModified(true);
    Key(Qt::Key_Up);
    EXPECT_EQ(field->Value().Count(), TruncateToInt(g_FrequencyGrid[FrequencyToGridIndex(1004) + 1]));
}

struct DelayCase {
    int type;
    int from;
    int delta;
    int expected;
};

TEST_F(NumSpinTest, DelayStepsMoveTheShownUnitAndPostTheStepAfterTelling)
{
    const DelayCase cases[] = {
        {CNumEditValue::TYPE_DELAY_MS, 100, +1, 101},
        {CNumEditValue::TYPE_DELAY_MS, 0, -1, 0},
        {CNumEditValue::TYPE_DELAY_CM, 100, +1, StepDelayByCentimetre(100, +1)},
        {CNumEditValue::TYPE_DELAY_CM, 100, -1, StepDelayByCentimetre(100, -1)},
        {CNumEditValue::TYPE_DELAY_CM, 960, +1, 960},
        {CNumEditValue::TYPE_DELAY_INCH, 100, +1, StepDelayByInch(100, +1)},
        {CNumEditValue::TYPE_DELAY_INCH, 500, -1, StepDelayByInch(500, -1)},
    };
    for (bool byKey : {true, false}) {
        for (const DelayCase& c : cases) {
            Setup(c.type, 0, 960, c.from);
            spin->SetStepMode(CNumSpin::MODE_DELAY);
            const QString before = field->text();
            if (byKey)
                Key(c.delta > 0 ? Qt::Key_Up : Qt::Key_Down);
            else
                spin->StepBy(c.delta);
            EXPECT_EQ(field->Value().Count(), c.expected) << "type " << c.type << " from " << c.from;
            if (c.type != CNumEditValue::TYPE_DELAY_MS && c.expected != c.from) {
                EXPECT_NE(field->text(), before);
            }
            // The WM_COMMAND is sent first, the step posted after it.
            ASSERT_EQ(Told().size(), 1u);
            EXPECT_TRUE(page.Messages(WM_SPIN_DELAY_STEP).empty());
            page.DeliverPosted();
            const auto posted = page.Messages(WM_SPIN_DELAY_STEP);
            ASSERT_EQ(posted.size(), 1u);
            EXPECT_FALSE(posted[0].bSent);
            EXPECT_EQ(posted[0].wParam, WPARAM(kSpinId));
            EXPECT_EQ(posted[0].lParam, LPARAM(c.delta));
        }
    }
    // A field that is no delay in a unit stays; the parent still hears.
    Setup(CNumEditValue::TYPE_INTEGER, 0, 960, 100);
    spin->SetStepMode(CNumSpin::MODE_DELAY);
    spin->StepBy(+1);
    EXPECT_EQ(field->Value().Count(), 100);
    EXPECT_EQ(Told().size(), 1u);
}

TEST_F(NumSpinTest, StepByKeepsToPlainSteps)
{
    Setup(CNumEditValue::TYPE_RATIO, 1, 191, 11);
    spin->StepBy(+1);
    EXPECT_EQ(field->Value().Count(), 12);
    Setup(CNumEditValue::TYPE_FREQUENCY, 20, 20000, 1000);
    spin->StepBy(+1);
    EXPECT_EQ(field->Value().Count(), 1001);
    spin->StepBy(-5000);
    EXPECT_EQ(field->Value().Count(), 20);
    EXPECT_EQ(Told().size(), 2u);
}

TEST_F(NumSpinTest, AHeldArrowStepsOnAndTellsThePageByTheTimer)
{
    Setup(CNumEditValue::TYPE_LEVEL_DB, 0, 600, 300, 0.1, 60);
    page.show();
    Press(true);
    EXPECT_TRUE(spin->IsHeld());
    EXPECT_EQ(field->Value().Count(), 301);  // one step at once
    EXPECT_TRUE(Told().empty());              // told later
    // The repeat goes on while held, and the timer tells the page.
    ASSERT_TRUE(WaitFor([&] { return field->Value().Count() >= 304 && !Told().empty(); }));
    Release(true);
    EXPECT_FALSE(spin->IsHeld());
    EXPECT_FALSE(spin->IsPending());
    const auto told = Told();
    const int count = field->Value().Count();
    EXPECT_EQ(told.back().wParam, MAKEWPARAM(kSpinId, 0));
    EXPECT_EQ(spin->GetPos(), count);
    // Released, nothing steps or tells any more.
    QTest::qWait(700);
    EXPECT_EQ(field->Value().Count(), count);
    EXPECT_EQ(Told().size(), told.size());
}

TEST_F(NumSpinTest, AWindowTakingTheInputEndsTheHold)
{
    Setup(CNumEditValue::TYPE_LEVEL_DB, 0, 600, 300, 0.1, 60);
    page.show();
    Press(true);
    EXPECT_TRUE(spin->IsPending());
    // A modal box opens while the arrow is held: the release will go to the
    // box, so the spin lets go at its next tick and tells the page.
    QDialog box;
    box.setModal(true);
    box.show();
    ASSERT_TRUE(WaitFor([&] { return !spin->IsHeld(); }));
    EXPECT_FALSE(spin->IsPending());
    EXPECT_EQ(Told().size(), 1u);
    const int count = field->Value().Count();
    QTest::qWait(700);
    EXPECT_EQ(field->Value().Count(), count);
    box.close();
    Release(true);
    EXPECT_EQ(Told().size(), 1u);
}

TEST_F(NumSpinTest, AClickAtALimitTellsNothingUnlessAKeyStepLeftItPending)
{
    Setup(CNumEditValue::TYPE_LEVEL_DB, 0, 600, 600, 0.1, 60);
    Press(true);
    Release(true);
    EXPECT_TRUE(Told().empty());
    // A key step leaves the position pending: the next click's release
    // tells once more.
    Key(Qt::Key_Down);
    EXPECT_EQ(Told().size(), 1u);
    EXPECT_TRUE(spin->IsPending());
    Press(false);
    Release(false);
    EXPECT_EQ(field->Value().Count(), 598);
    EXPECT_EQ(Told().size(), 2u);
    EXPECT_FALSE(spin->IsPending());
}

TEST_F(NumSpinTest, HeldDelayStepsAreSingleCountsWithoutThePostedStep)
{
    Setup(CNumEditValue::TYPE_DELAY_CM, 0, 960, 100);
    spin->SetStepMode(CNumSpin::MODE_DELAY);
    Press(true);
    EXPECT_EQ(field->Value().Count(), 101);
    Release(true);
    EXPECT_EQ(Told().size(), 1u);
    page.DeliverPosted();
    EXPECT_TRUE(page.Messages(WM_SPIN_DELAY_STEP).empty());
}

TEST_F(NumSpinTest, WithoutTheFieldsInputFlagTheArrowsDoNothing)
{
    Setup(CNumEditValue::TYPE_INTEGER, 0, 100, 50);
    field->SetInputFlag(false);
    Key(Qt::Key_Up);
    Press(true);
    Release(true);
    EXPECT_EQ(field->Value().Count(), 50);
    EXPECT_TRUE(Told().empty());
}

TEST_F(NumSpinTest, WithoutTheArrowKeyStyleTheKeysStayTheFields)
{
    CNumSpin plain(&page, 0);
    CNumEdit* other = new CNumEdit(&page);
    plain.SetBuddy(other);
    other->SetValueType(CNumEditValue::TYPE_INTEGER);
    plain.SetRange(0, 100);
    plain.SetPos(50);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(other, &press);
    EXPECT_EQ(other->Value().Count(), 50);
}

TEST_F(NumSpinTest, SetPosOutsideTheRangeShowsTheBoxThenTakesTheEnd)
{
    Setup(CNumEditValue::TYPE_DELAY_MS, 0, 960, 100);
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CMessageBoxSpy spy;
        spin->SetPos(-1);
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, chinese ? QStringLiteral("设定Pos错误!") : QStringLiteral("Set Pos Error!"));
        EXPECT_EQ(spy.shown[0].helpId, chinese ? -2 : -3);
        EXPECT_EQ(spy.shown[0].type & MB_TYPEMASK, unsigned(MB_OK));
        EXPECT_EQ(spin->GetPos(), 0);
        spin->SetPos(5000);
        EXPECT_EQ(spin->GetPos(), 960);
        spin->SetPos(5);
        EXPECT_EQ(spy.shown.size(), 2u);
    }
    EXPECT_TRUE(Told().empty());
}

}  // namespace
