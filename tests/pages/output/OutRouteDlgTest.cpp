// The output strip against a recording owner: its controls, what each
// posts (channel and value), the fader drag, the keys, and the speaker
// popup's item states through the popup seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "app/SpeakerTypeMenu.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/output/OutRoute_Dlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/RecordingTarget.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

// A window that, like the view, never walks its controls with Tab.
class CStripHost : public QWidget {
protected:
    bool focusNextPrevChild(bool) override { return true; }
};

class OutRouteDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        std::fill(std::begin(g_abOutputEdited), std::end(g_abOutputEdited), 0);
        g_bChinese = true;
        LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_CN);
        host.resize(200, 260);
        strip.Create(&host);
        strip.SetBackgroundBitmap(1151);
        strip.SetSelectButtonBitmaps(818, 817, 819);
        strip.SetLevelSliderChannelBitmaps(281, 281, false, CLR_DEFAULT, 0, 0);
        strip.SetLevelSliderThumbBitmaps(358, 280, false, CLR_DEFAULT, 0, 0);
        strip.setGeometry(0, 0, 91, 210);
        strip.m_nChannel = 3;
        strip.m_pOwner = &owner;
        strip.m_nLinkMask = 1 << 3;
        strip.SetLevel(600);
        host.show();
        QApplication::setActiveWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    void TearDown() override
    {
        SetPopupMenuHandler({});
        g_bChinese = true;
    }

    // The owner's messages of one id once the posted ones are delivered.
    std::vector<CRecordingTarget::Received> Posted(UINT message)
    {
        owner.DeliverPosted();
        return owner.Messages(message);
    }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4)); }

    CStripHost host;
    COutRouteDlg strip;
    CRecordingTarget owner;
};

TEST_F(OutRouteDlgTest, ControlsStandAsTheTemplateSaysAndTheHiddenOnesStayHidden)
{
    struct Control {
        int id;
        bool visible;
        bool enabled;
    };
    const Control controls[] = {
        {2636, true, true},  {2847, true, true},   {2826, true, true},  {2827, true, true},
        {2825, true, true},  {1001, true, true},   {2817, true, true},  {2828, false, true},
        {2829, false, true}, {2830, false, false}, {2819, false, false}, {2840, false, false},
    };
    for (const Control& c : controls) {
        QWidget* control = GetDlgItem(&strip, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(control->isVisible(), c.visible) << c.id;
        EXPECT_EQ(control->isEnabled(), c.enabled) << c.id;
    }
    for (int source = 1; source <= COutRouteDlg::SOURCE_COUNT; ++source)
        EXPECT_FALSE(GetDlgItem(&strip, COutRouteDlg::SourceControlId(source))->isVisible()) << source;
    int min = 0, max = 0;
    strip.m_spinLevel.GetRange32(min, max);
    EXPECT_EQ(max, 600);
    strip.m_spinDelay.GetRange32(min, max);
    EXPECT_EQ(max, 960);
    EXPECT_EQ(strip.m_editLevel.GetValueType(), CNumEditValue::TYPE_LEVEL_DB);
    EXPECT_EQ(strip.m_editDelay.GetValueType(), CNumEditValue::TYPE_DELAY_MS);
    EXPECT_EQ(strip.m_anLinkBitmapCN[8], 1101);
    EXPECT_EQ(strip.m_anLinkBitmapEN[0], 1028);

    // The setters post nothing; level 20 reads "OFF" in its language.
    strip.SetLevel(20);
    EXPECT_EQ(strip.m_editLevel.text(), QStringLiteral("关闭"));
    g_bChinese = false;
    strip.m_editLevel.RefreshLanguage();
    EXPECT_EQ(strip.m_editLevel.text(), QStringLiteral("OFF"));
    strip.SetLevel(480);
    EXPECT_EQ(strip.m_editLevel.text(), QStringLiteral("-12.0dB"));
    EXPECT_EQ(strip.m_sliderLevel.GetValue(), 480);
    strip.SetDelayUnit(2);
    EXPECT_EQ(strip.m_editDelay.GetValueType(), CNumEditValue::TYPE_DELAY_CM);
    strip.SetDelayUnit(7);
    EXPECT_EQ(strip.m_editDelay.GetValueType(), CNumEditValue::TYPE_DELAY_CM);
    owner.DeliverPosted();
    EXPECT_TRUE(owner.Messages().empty());
}

TEST_F(OutRouteDlgTest, EachButtonPostsItsMessageWithTheChannelAndTheNewValue)
{
    Click(&strip.m_btnMute);
    Click(&strip.m_btnMute);
    const auto mutes = Posted(WM_STRIP_MUTE);
    ASSERT_EQ(mutes.size(), 2u);
    EXPECT_EQ(mutes[0].wParam, 3u);
    EXPECT_EQ(mutes[0].lParam, 0);
    EXPECT_EQ(mutes[1].lParam, 1);
    EXPECT_FALSE(mutes[0].bSent);
    EXPECT_EQ(strip.m_btnMute.CurrentBitmapId(), 526u);

    Click(&strip.m_btnSelect);
    ASSERT_EQ(Posted(WM_STRIP_SELECT).size(), 1u);
    EXPECT_FALSE(strip.m_btnSelect.GetCheck());

    Click(&strip.m_btnPolarity);
    const auto polarity = Posted(WM_STRIP_POLARITY);
    ASSERT_EQ(polarity.size(), 1u);
    EXPECT_EQ(polarity[0].lParam, 1);
    EXPECT_EQ(strip.m_btnPolarity.CurrentBitmapId(), 4383u);

    // The hidden source switches, as their clicks reach the strip.
    SendMessage(&strip, WM_COMMAND, MAKEWPARAM(2835, BN_CLICKED), 0);
    SendMessage(&strip, WM_COMMAND, MAKEWPARAM(2819, BN_CLICKED), 0);
    SendMessage(&strip, WM_COMMAND, MAKEWPARAM(2819, BN_CLICKED), 0);
    EXPECT_EQ(Posted(WM_STRIP_SOURCE1 + 10).at(0).lParam, 1);
    const auto source1 = owner.Messages(WM_STRIP_SOURCE1);
    ASSERT_EQ(source1.size(), 2u);
    EXPECT_EQ(source1[0].lParam, 1);
    EXPECT_EQ(source1[1].lParam, 0);
    EXPECT_EQ(strip.m_abSource[10], 1);
    EXPECT_EQ(strip.m_abSource[0], 0);
}

TEST_F(OutRouteDlgTest, FieldsCommitOnEnterEscapeAndTabWithoutClosingOrWalking)
{
    struct Case {
        Qt::Key key;
        const char* typed;
        int level;
    };
    for (const Case& c : {Case{Qt::Key_Return, "-10", 500}, Case{Qt::Key_Escape, "-20", 400},
                          Case{Qt::Key_Tab, "-30", 300}}) {
        owner.Clear();
        strip.m_editLevel.setFocus();
        strip.m_editLevel.selectAll();
        QTest::keyClicks(&strip.m_editLevel, QString::fromLatin1(c.typed));
        QTest::keyClick(&strip.m_editLevel, c.key);
        EXPECT_TRUE(strip.hasFocus()) << c.typed;
        EXPECT_TRUE(host.isVisible());
        const auto levels = Posted(WM_STRIP_LEVEL);
        ASSERT_EQ(levels.size(), 1u) << c.typed;
        EXPECT_EQ(levels[0].lParam, c.level);
        EXPECT_EQ(strip.m_sliderLevel.GetValue(), c.level);
    }
    EXPECT_EQ(g_abOutputEdited[3], 1);

    // The delay field: 5 ms posts 240 steps.
    strip.m_editDelay.setFocus();
    strip.m_editDelay.selectAll();
    QTest::keyClicks(&strip.m_editDelay, QStringLiteral("5"));
    QTest::keyClick(&strip.m_editDelay, Qt::Key_Return);
    const auto delays = Posted(WM_STRIP_DELAY);
    ASSERT_EQ(delays.size(), 1u);
    EXPECT_EQ(delays[0].wParam, 3u);
    EXPECT_EQ(delays[0].lParam, 240);
    EXPECT_EQ(strip.m_editDelay.text(), QStringLiteral("5.000"));

    // A press elsewhere in the strip takes the focus first.
    strip.m_editLevel.setFocus();
    QTest::mouseClick(&strip, Qt::LeftButton, Qt::NoModifier, QPoint(80, 200));
    EXPECT_TRUE(strip.hasFocus());
}

TEST_F(OutRouteDlgTest, AFaderDragPostsWhileMovingAndOnceAtTheReleaseWithTheFieldFollowing)
{
    CBitmapSlider& fader = strip.m_sliderLevel;
    const QPoint thumb = fader.ThumbRect().center();
    QTest::mousePress(&fader, Qt::LeftButton, Qt::NoModifier, thumb);
    int moves = 0;
    for (int step = 1; step <= 40 && moves == 0; ++step) {
        QTest::mouseMove(&fader, thumb + QPoint(0, 2 * step));
        QTest::qWait(20);
        moves = int(Posted(WM_STRIP_LEVEL).size());
    }
    ASSERT_GT(moves, 0);
    EXPECT_EQ(strip.m_spinLevel.GetPos(), strip.m_nLevel);
    EXPECT_FALSE(strip.m_editLevel.hasFocus());
    QTest::mouseMove(&fader, thumb + QPoint(0, 60));
    QTest::mouseRelease(&fader, Qt::LeftButton, Qt::NoModifier, thumb + QPoint(0, 60));
    // The release posts once more and gives the field the focus.
    ASSERT_TRUE(WaitFor([&] { return int(Posted(WM_STRIP_LEVEL).size()) > moves && strip.m_editLevel.hasFocus(); }));
    const auto levels = owner.Messages(WM_STRIP_LEVEL);
    EXPECT_EQ(levels.back().lParam, fader.GetValue());
    EXPECT_LT(fader.GetValue(), 600);
    EXPECT_EQ(strip.m_spinLevel.GetPos(), fader.GetValue());
    EXPECT_TRUE(strip.m_editLevel.hasFocus());
    EXPECT_EQ(g_abOutputEdited[3], 1);
}

TEST_F(OutRouteDlgTest, ThePopupShowsEachPositionsStateAndOnlyAnotherTypeIsPosted)
{
    // Output 0 holds 6 (front left full); the others their defaults.
    strip.m_nChannel = 0;
    const std::vector<BYTE> before(std::begin(g_SpeakerPositionTable), std::end(g_SpeakerPositionTable));
    struct Seen {
        bool checked, enabled;
    };
    std::vector<Seen> seen(POSITION_CODE_COUNT);
    UINT answer = 0;
    SetPopupMenuHandler([&](QMenu& menu, const QPoint& at, QWidget* popupOwner) -> UINT {
        EXPECT_EQ(popupOwner, &strip);
        EXPECT_EQ(at.y(), strip.m_btnSpeakerType.mapToGlobal(QPoint(0, strip.m_btnSpeakerType.height())).y() + 2);
        for (int code = 0; code < POSITION_CODE_COUNT; ++code) {
            const QAction* item = FindSpeakerTypeItem(&menu, code);
            seen[code] = {item->isChecked(), item->isEnabled()};
        }
        return answer;
    });
    Click(&strip.m_btnSpeakerType);
    struct Expected {
        int code;
        const char* what;
        bool checked, enabled;
    };
    const Expected table[] = {
        {6, "own code", true, true},    {12, "taken by output 1", true, false},
        {23, "taken by output 11", true, false}, {8, "blocked by output 1", false, false},
        {19, "free", false, true},      {2, "blocked through the right side", false, false},
    };
    for (const Expected& e : table) {
        EXPECT_EQ(seen[e.code].checked, e.checked) << e.what;
        EXPECT_EQ(seen[e.code].enabled, e.enabled) << e.what;
    }
    EXPECT_TRUE(seen[0].enabled);
    EXPECT_EQ(std::vector<BYTE>(std::begin(g_SpeakerPositionTable), std::end(g_SpeakerPositionTable)), before);
    EXPECT_TRUE(Posted(WM_STRIP_SPEAKER_TYPE).empty());

    // Picking the present type posts nothing; another one posts its code.
    answer = COutRouteDlg::ID_SPEAKER_TYPE_ITEM + 6;
    Click(&strip.m_btnSpeakerType);
    EXPECT_TRUE(Posted(WM_STRIP_SPEAKER_TYPE).empty());
    answer = COutRouteDlg::ID_SPEAKER_TYPE_ITEM + 19;
    Click(&strip.m_btnSpeakerType);
    const auto picked = Posted(WM_STRIP_SPEAKER_TYPE);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].wParam, 0u);
    EXPECT_EQ(picked[0].lParam, 19);
    EXPECT_EQ(g_byOutputPosition[0], 6);
}

}  // namespace
