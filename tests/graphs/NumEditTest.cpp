#include <cstdlib>

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "controls/SpinBtn.h"
#include "graphs/MixColumnParent.h"
#include "graphs/NumEdit.h"
#include "graphs/NumSpin.h"
#include "model/DataDefine.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/LineEditInput.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kFieldPage(40, 60, 90);
const QColor kActive(137, 172, 209);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey200(200, 200, 200);
const QColor kGrey128(128, 128, 128);
constexpr int kFieldId = 2858;
constexpr int kEditSpinId = 4013;

// A fader stand-in that records the focused looks it is asked for.
class CRecordingFader : public IFocusLookBuddy {
public:
    void SetFocusLook(bool on) override { looks.push_back(on); }
    std::vector<bool> looks;
};

// A parent that also notes whether the field had the focus when each
// WM_COMMAND arrived.
class CPage : public CRecordingWidget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && field)
            focusAtCommand.push_back(field->hasFocus());
        return CRecordingWidget::WindowProc(message, wParam, lParam);
    }
    QWidget* field = nullptr;
    std::vector<bool> focusAtCommand;
};

// A mix column feeding output 3.
class CMixColumn : public CRecordingWidget, public IMixColumnParent {
public:
    int GetColumnOutput() const override { return 3; }
};

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = false;
        SetFlatBackground(&page, kFieldPage);
        field = MakeField(&page, kFieldId);
        page.field = field;
        elsewhere = new QWidget(&page);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        elsewhere->setGeometry(300, 250, 20, 20);
    }
    void TearDown() override
    {
        g_bChinese = false;
        g_nCurOutput = 0;
        CResourceStore::ClearOverrides();
    }

    static CNumEdit* MakeField(QWidget* parent, int id)
    {
        auto* edit = new CNumEdit(parent);
        SetDlgCtrlID(edit, id);
        QFont font = edit->font();
        font.setPixelSize(18);
        font.setBold(true);
        edit->setFont(font);
        edit->setGeometry(20, 20, 90, 24);
        return edit;
    }

    // The master-volume field: 0 to 66 steps of 1 dB from -60, off at 0.
    void MasterVolume(CNumEdit* edit, int count)
    {
        edit->SetStep(1);
        edit->SetOffset(60);
        edit->SetValueType(CNumEditValue::TYPE_LEVEL_OFF_BOTTOM);
        edit->SetRange(0, 66);
        edit->SetValue(count);
    }

    void ShowActive()
    {
        page.show();
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
        elsewhere->setFocus();
        ASSERT_TRUE(WaitFor([&] { return elsewhere->hasFocus(); }));
        page.DeliverPosted();
        page.Clear();
        page.focusAtCommand.clear();
    }

    void Focus(QWidget* widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(WaitFor([&] { return widget->hasFocus(); }));
    }

    void Click(QWidget* widget, const QPoint& at)
    {
        SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    // Runs what the field posted to itself.
    void Deliver() { WaitFor([&] { return field->PendingCount() == 0; }); }

    std::vector<CRecordingTarget::Received> Commands() const { return page.Messages(WM_COMMAND); }

    QImage Shown(QWidget* w) { return page.grab(w->geometry()).toImage(); }

    CPage page;
    CNumEdit* field = nullptr;
    QWidget* elsewhere = nullptr;
};

TEST_F(NumEditTest, TypedVolumeCommitsOnceWhenTheFocusLeaves)
{
    MasterVolume(field, 30);
    ShowActive();
    EXPECT_EQ(field->text(), QStringLiteral("-30dB"));

    Focus(field);
    EXPECT_EQ(field->selectedText(), QStringLiteral("-30dB"));
    EXPECT_FALSE(field->IsModified());
    TypeText(*field, QStringLiteral("5"));
    EXPECT_EQ(field->text(), QStringLiteral("5"));
    EXPECT_TRUE(field->IsModified());

    Focus(elsewhere);
    EXPECT_EQ(field->Value().Count(), 65);
    EXPECT_EQ(field->text(), QStringLiteral("5dB"));
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0].bSent);
    EXPECT_EQ(sent[0].wParam, MAKEWPARAM(kFieldId, 0));
    EXPECT_EQ(sent[0].lParam, reinterpret_cast<LPARAM>(static_cast<QWidget*>(field)));
    // The commit leaves the flag for the page's read to clear.
    EXPECT_TRUE(field->IsModified());
    EXPECT_EQ(field->GetValue(), 65);
    EXPECT_FALSE(field->IsModified());

    // Leaving again without typing tells nobody.
    Focus(field);
    Focus(elsewhere);
    EXPECT_EQ(Commands().size(), 1u);

    // Program text never counts as typed.
    field->SetValue(12);
    field->setText(QStringLiteral("7"));
    EXPECT_FALSE(field->IsModified());
}

TEST_F(NumEditTest, AFlagStillSetCommitsAgainWithoutTyping)
{
    MasterVolume(field, 30);
    ShowActive();
    Focus(field);
    TypeText(*field, QStringLiteral("5"));
    Focus(elsewhere);
    Focus(field);
    Focus(elsewhere);
    EXPECT_EQ(Commands().size(), 2u);
    EXPECT_EQ(field->GetValue(), 65);
}

TEST_F(NumEditTest, ClicksTellTheParentFirstAndTheFirstSelectsAll)
{
    MasterVolume(field, 30);
    ShowActive();
    const QPoint at(60, 12);

    // Unfocused: the parent hears first, then the field takes the focus
    // with its whole text selected; the caret is not placed.
    Click(field, at);
    EXPECT_EQ(page.focusAtCommand, (std::vector<bool>{false}));
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), field->text());
    EXPECT_TRUE(field->IsActiveLook());

    // Focused: told again, and the caret goes to the click.
    Click(field, at);
    EXPECT_EQ(page.focusAtCommand, (std::vector<bool>{false, true}));
    EXPECT_FALSE(field->hasSelectedText());
    EXPECT_EQ(field->cursorPosition(), field->cursorPositionAt(at));

    // A double click selects the whole text again once its posted focus
    // message runs.
    SendMouse(field, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(field, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    Deliver();
    EXPECT_EQ(field->selectedText(), field->text());

    // A right press is no click for the parent.
    const size_t told = Commands().size();
    SendMouse(field, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    SendMouse(field, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Commands().size(), told);
}

TEST_F(NumEditTest, WithoutTheInputFlagAClickNeverLeavesTheEditingLook)
{
    MasterVolume(field, 30);
    field->SetInputFlag(false);
    ShowActive();
    Click(field, QPoint(60, 12));
    Deliver();
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(field->IsActiveLook());
    EXPECT_GT(CountPixels(Shown(field), kGrey200), 0);
    EXPECT_EQ(CountPixels(Shown(field), kWhite), 0);
}

TEST_F(NumEditTest, OnlyAsciiGetsInHoweverItComesAndTheLimitStopsOnlyTheUser)
{
    field->SetValueType(CNumEditValue::TYPE_INTEGER_UNIT);
    ShowActive();
    Focus(field);
    field->clear();
    field->SetModified(false);
    TypeText(*field, QStringLiteral("中"));
    CommitText(*field, QStringLiteral("文"));
    EXPECT_EQ(field->text(), QString());
    EXPECT_FALSE(field->IsModified());
    CommitText(*field, QStringLiteral("1中2"));
    PasteWithKeys(*field, QStringLiteral("3丂4"));
    PasteFromMenu(*field, QStringLiteral("亊5"));
    EXPECT_EQ(field->text(), QStringLiteral("12345"));
    EXPECT_TRUE(field->IsModified());
    EXPECT_TRUE(field->hasFocus());  // the menu's paste committed nothing

    field->LimitText(6);
    TypeText(*field, QStringLiteral("6"));
    TypeText(*field, QStringLiteral("7"));
    PasteWithKeys(*field, QStringLiteral("89"));
    EXPECT_EQ(field->text(), QStringLiteral("123456"));
    // The program's own text is never cut.
    field->SetValueType(CNumEditValue::TYPE_INTEGER_UNIT, QStringLiteral(" milliseconds"));
    EXPECT_EQ(field->text(), QStringLiteral("0 milliseconds"));
}

TEST_F(NumEditTest, TheFieldsOwnContextMenuIsNoFocusLoss)
{
    MasterVolume(field, 30);
    ShowActive();
    Focus(field);
    TypeText(*field, QStringLiteral("5"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &menuEvent);
    QMenu* menu = field->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
    menu->close();
    WaitFor([&] { return field->hasFocus(); });
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(field->IsActiveLook());
    EXPECT_EQ(field->text(), QStringLiteral("5"));
    Focus(elsewhere);
    EXPECT_EQ(Commands().size(), 1u);
}

TEST_F(NumEditTest, LooksInEveryState)
{
    MasterVolume(field, 66);
    ShowActive();
    // Idle: the page shows through white text.
    QImage shown = Shown(field);
    EXPECT_GT(CountPixels(shown, kFieldPage), 90 * 24 / 2);
    EXPECT_GT(CountPixels(shown, kWhite), 0);
    EXPECT_EQ(CountPixels(shown, kActive), 0);

    // Editing: black on an opaque blue, the whole field.
    Focus(field);
    field->deselect();
    shown = Shown(field);
    EXPECT_GT(CountPixels(shown, kActive), 90 * 24 / 2);
    EXPECT_GT(CountPixels(shown, kBlack), 0);
    EXPECT_EQ(CountPixels(shown, kFieldPage), 0);
    Focus(elsewhere);
    EXPECT_EQ(CountPixels(Shown(field), kActive), 0);

    // Without the input flag: grey 200.
    field->SetInputFlag(false);
    shown = Shown(field);
    EXPECT_GT(CountPixels(shown, kGrey200), 0);
    EXPECT_EQ(CountPixels(shown, kWhite), 0);
}

// The bright (text) pixels of an image, and the columns they span.
struct Ink {
    int pixels = 0, first = -1, last = -1;
};
Ink BrightInk(const QImage& image)
{
    Ink ink;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) <= 140)
                continue;
            ++ink.pixels;
            if (ink.first < 0)
                ink.first = x;
            ink.last = x;
        }
    }
    return ink;
}

TEST_F(NumEditTest, ANumberAsWideAsItsNarrowFieldShowsWhole)
{
    // The band frequency field of the output page and the level field of an
    // output strip, in the pages' font: the whole text shows, as much of it
    // as the same text drawn unclipped in the field's font.
    const QFont pageFont = CreateFont(12, FW_NORMAL).value();
    struct Case {
        const char* name;
        QSize size;
        int type;
        double step, offset;
        int min, max, count;
    } cases[] = {
        {"10000 Hz", {30, 11}, CNumEditValue::TYPE_INTEGER, 1, 0, 20, 20000, 10000},
        {"20000 Hz", {30, 11}, CNumEditValue::TYPE_INTEGER, 1, 0, 20, 20000, 20000},
        {"-12.0dB", {35, 11}, CNumEditValue::TYPE_LEVEL_DB, 0.1, 60, 0, 600, 480},
    };
    page.show();
    for (const Case& c : cases) {
        auto* edit = new CNumEdit(&page);
        edit->setFont(pageFont);
        edit->setAlignment(Qt::AlignCenter);
        edit->setGeometry(QRect(QPoint(20, 120), c.size));
        edit->SetStep(c.step);
        edit->SetOffset(c.offset);
        edit->SetValueType(c.type);
        edit->SetRange(c.min, c.max);
        edit->SetValue(c.count);
        edit->show();
        QImage whole(c.size, QImage::Format_RGB32);
        whole.fill(kFieldPage);
        {
            QPainter painter(&whole);
            painter.setFont(edit->font());
            painter.setPen(kWhite);
            painter.drawText(QRect(QPoint(0, 0), c.size), Qt::AlignCenter, edit->text());
        }
        const Ink shown = BrightInk(Shown(edit));
        const Ink expected = BrightInk(whole);
        EXPECT_GE(shown.pixels, expected.pixels * 9 / 10) << c.name << ": " << shown.pixels << " of " << expected.pixels;
        EXPECT_LE(std::abs(shown.first - expected.first), 1) << c.name;
        EXPECT_LE(std::abs(shown.last - expected.last), 1) << c.name;
        delete edit;
    }
}

TEST_F(NumEditTest, MixLevelFieldsAreBlackInTheEditedOutputsColumn)
{
    CMixColumn column;
    SetFlatBackground(&column, kFieldPage);
    CNumEdit* level = MakeField(&column, 2818);
    CNumEdit* other = MakeField(&column, 2819);  // not a level id
    other->move(20, 60);
    for (CNumEdit* edit : {level, other}) {
        edit->SetValueType(CNumEditValue::TYPE_CLAMPED);
        edit->SetRange(0, 100);
        edit->SetValue(88);
    }
    column.show();
    auto shown = [&](QWidget* w) { return column.grab(w->geometry()).toImage(); };

    g_nCurOutput = 3;
    EXPECT_GT(CountPixels(shown(level), kBlack), 0);
    EXPECT_EQ(CountPixels(shown(level), kWhite), 0);
    EXPECT_GT(CountPixels(shown(other), kWhite), 0);
    g_nCurOutput = 4;
    EXPECT_GT(CountPixels(shown(level), kGrey128), 0);
    EXPECT_EQ(CountPixels(shown(level), kBlack), 0);

    // A level id under a parent that is no mix column: white.
    CNumEdit* plain = MakeField(&page, 2818);
    plain->move(20, 100);
    plain->SetValueType(CNumEditValue::TYPE_CLAMPED);
    plain->SetRange(0, 100);
    plain->SetValue(88);
    page.show();
    EXPECT_GT(CountPixels(Shown(plain), kWhite), 0);
}

TEST_F(NumEditTest, TheFaderFollowsTheFieldsFocus)
{
    CRecordingFader fader;
    field->SetBuddySlider(&fader);
    MasterVolume(field, 30);
    ShowActive();
    fader.looks.clear();
    Focus(field);
    EXPECT_EQ(fader.looks, (std::vector<bool>{true}));
    Focus(elsewhere);
    EXPECT_EQ(fader.looks, (std::vector<bool>{true, false}));
    EXPECT_FALSE(field->IsActiveLook());

    // The fader's own look request lights the field without the focus.
    field->SetActiveLook(true);
    EXPECT_GT(CountPixels(Shown(field), kActive), 90 * 24 / 2);
}

TEST_F(NumEditTest, AReadOnlyFieldStepsThroughItsStepButton)
{
    CNumSpin spin(&page);
    SetDlgCtrlID(&spin, kEditSpinId);
    spin.SetBuddy(field);
    spin.SetRange(0, 960);
    spin.SetStepMode(CNumSpin::MODE_DELAY);
    field->SetValueType(CNumEditValue::TYPE_DELAY_MS, QStringLiteral("MS"));
    field->CreateStepButton(4016);
    CSpinBtn* button = field->StepButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetDlgCtrlID(button), 4016);
    EXPECT_TRUE(button->isHidden());
    button->SetBitmaps(804, 805, 806, 807);
    field->BindStepButton(kEditSpinId, &spin);
    spin.SetPos(47);
    EXPECT_EQ(button->text(), QStringLiteral("0.979MS"));

    field->SetReadOnly(true);
    ShowActive();
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_NONE);
    Focus(field);
    EXPECT_TRUE(button->IsActive());
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_MIDDLE);
    Focus(elsewhere);
    EXPECT_FALSE(button->IsActive());
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_NONE);

    // A press on the step button tells the page through the field and
    // hands the focus back to the field, which activates the button.
    const QPoint middle(button->width() / 2, button->height() / 2);
    SendMouse(button, QEvent::MouseButtonPress, middle, Qt::LeftButton, Qt::LeftButton);
    Deliver();
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(button->IsActive());
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].wParam, MAKEWPARAM(kFieldId, 0));

    // Moving onto the up zone with the button held: after the hover the
    // repeat steps the spin by its delay steps.
    const QPoint up(button->width() - 3, button->height() / 2);
    SendMouse(button, QEvent::MouseMove, up, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(button->HotZone(), CSpinBtn::ZONE_UP);
    ASSERT_TRUE(WaitFor([&] { return field->Value().Count() >= 50; }));
    SendMouse(button, QEvent::MouseButtonRelease, up, Qt::LeftButton, Qt::NoButton);
    const int stepped = field->Value().Count();
    EXPECT_FALSE(button->IsRepeating());
    EXPECT_EQ(button->text(), field->text());
    // Every step told the page at once, with the spin's id.
    EXPECT_EQ(page.Messages(WM_COMMAND).size(), 1u + size_t(stepped - 47));
    EXPECT_EQ(page.Messages(WM_COMMAND).back().wParam, MAKEWPARAM(kEditSpinId, 0));

    field->SetReadOnly(false);
    EXPECT_TRUE(button->isHidden());
}

TEST_F(NumEditTest, ShowFollowsItsOwnFlag)
{
    page.show();
    EXPECT_TRUE(field->IsShown());
    EXPECT_EQ(field->Show(SW_SHOW), 1);  // nothing to do: the flag
    EXPECT_EQ(field->Show(SW_HIDE), 1);  // was visible
    EXPECT_FALSE(field->IsShown());
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(field->Show(SW_HIDE), 0);
    // Shown behind the flag's back, a hide still hides it.
    field->show();
    EXPECT_EQ(field->Show(SW_HIDE), 1);
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(field->Show(SW_SHOW), 0);
    EXPECT_TRUE(field->IsShown());
    field->hide();
    EXPECT_EQ(field->Show(SW_SHOW), 0);
    EXPECT_TRUE(field->isVisible());
    field->Enable(false);
    EXPECT_FALSE(field->isEnabled());
}

TEST_F(NumEditTest, ALanguageSwitchSwapsTheOffTextAndReformatsDelays)
{
    CNumEdit* delay = MakeField(&page, 4010);
    delay->SetValueType(CNumEditValue::TYPE_DELAY_MS, QStringLiteral("MS"));
    delay->SetRange(0, 960);
    delay->SetValue(47);
    MasterVolume(field, 0);
    EXPECT_EQ(field->text(), QStringLiteral("OFF"));
    g_bChinese = true;
    field->RefreshLanguage();
    delay->RefreshLanguage();
    EXPECT_EQ(field->text(), QStringLiteral("关闭"));
    EXPECT_EQ(delay->text(), QStringLiteral("0.979毫秒"));
    g_bChinese = false;
    field->RefreshLanguage();
    EXPECT_EQ(field->text(), QStringLiteral("OFF"));
    // Other texts stay as they are.
    field->setText(QStringLiteral("-3dB"));
    g_bChinese = true;
    field->RefreshLanguage();
    EXPECT_EQ(field->text(), QStringLiteral("-3dB"));
}

TEST_F(NumEditTest, StepValueAndTheDelayRead)
{
    MasterVolume(field, 65);
    field->StepValue(5);
    EXPECT_EQ(field->Value().Count(), 66);
    EXPECT_EQ(field->text(), QStringLiteral("6dB"));
    field->StepValue(-100);
    EXPECT_EQ(field->text(), QStringLiteral("OFF"));
    EXPECT_EQ(Commands().size(), 2u);

    // The delay read commits typed text first (truncating), then answers.
    field->SetValueType(CNumEditValue::TYPE_DELAY_MS);
    field->SetRange(0, 960);
    field->setText(QStringLiteral("0.979"));
    field->SetModified(true);
    EXPECT_EQ(field->GetDelayValue(), 46);
    EXPECT_EQ(field->text(), QStringLiteral("0.958"));
    EXPECT_EQ(Commands().size(), 3u);
    // A count outside the range is refused.
    field->SetValue(961);
    EXPECT_EQ(field->Value().Count(), 46);
}

}  // namespace
