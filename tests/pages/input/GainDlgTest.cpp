// The master-volume panel against a recording parent and view: what a
// typed value, the fader, Enter and Escape post, the mute button, the
// language and the locked skin.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "app/GlobalObjects.h"
#include "model/DataDefine.h"
#include "model/DataLockState.h"
#include "model/WindowMessages.h"
#include "pages/input/GainDlg.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ResourceStore.h"
#include "tests/common/RecordingTarget.h"
#include "tests/pages/RecordingMainView.h"

namespace {

// The view as the panel's parent sees it: records what is posted.
class CGainHost : public QWidget, public CRecordingTarget {};

class GainDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_byMasterOn = g_byMasterOn;
        g_bChinese = false;
        g_bDataLocked = false;
        host.resize(200, 260);
        panel.SetBackgroundBitmap(CGainDlg::IDB_BACK_CN);
        panel.Create(&host);
        panel.m_pView = &view;
        panel.SetSliderChannelBitmaps(357, 357, false, CLR_DEFAULT, 0, 0);
        panel.SetSliderThumbBitmaps(358, 282, false, CLR_DEFAULT, 0, 0);
        panel.SetSliderRange(0, 66, false);
        panel.setGeometry(6, 10, 94, 203);
        panel.SetVolume(60);
        host.show();
        QApplication::setActiveWindow(&host);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        Volumes();
    }
    void TearDown() override
    {
        g_byMasterOn = m_byMasterOn;
        g_bChinese = false;
        g_bDataLocked = false;
    }
    // The volumes posted since the last call.
    std::vector<int> Volumes()
    {
        host.DeliverPosted();
        std::vector<int> volumes;
        for (const auto& m : host.Messages(WM_MASTER_VOLUME_CHANGED)) {
            EXPECT_EQ(m.wParam, WPARAM(GetDlgCtrlID(&panel)));
            volumes.push_back(int(m.lParam));
        }
        host.Clear();
        return volumes;
    }
    void Type(const QString& text, Qt::Key key)
    {
        QTest::mouseClick(&panel.m_editVolume, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
        panel.m_editVolume.setFocus();
        Volumes();
        QTest::keyClick(&panel.m_editVolume, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&panel.m_editVolume, text);
        QTest::keyClick(&panel.m_editVolume, key);
    }

    BYTE m_byMasterOn = 1;
    CGainHost host;
    CGainDlg panel;
    CRecordingMainView view;
};

TEST_F(GainDlgTest, ATypedVolumeIsClampedShownAndPostedByEnterOrEscape)
{
    struct Case {
        const char* typed;
        Qt::Key key;
        int steps;
        const char* shown;
    };
    const Case cases[] = {
        {"-10", Qt::Key_Return, 50, "-10dB"}, {"-70", Qt::Key_Return, 0, "OFF"},
        {"10", Qt::Key_Return, 66, "6dB"},    {"-20", Qt::Key_Escape, 40, "-20dB"},
    };
    for (const Case& c : cases) {
        Type(QString::fromLatin1(c.typed), c.key);
        EXPECT_EQ(Volumes(), std::vector<int>{c.steps}) << c.typed;
        EXPECT_EQ(panel.m_editVolume.text(), QString::fromLatin1(c.shown)) << c.typed;
        EXPECT_EQ(panel.GetVolume(), c.steps) << c.typed;
        EXPECT_TRUE(panel.hasFocus()) << c.typed;
        EXPECT_TRUE(host.isVisible());
    }
}

TEST_F(GainDlgTest, TheFaderPostsWhileMovingAndOnReleaseFocusesTheField)
{
    panel.m_sliderVolume.SetValue(30);
    SendMessage(&panel, WM_SLIDER_MOVING, CGainDlg::IDC_VOLUME_SLIDER, 0);
    panel.m_sliderVolume.SetValue(33);
    SendMessage(&panel, WM_SLIDER_MOVED, CGainDlg::IDC_VOLUME_SLIDER, 0);
    SendMessage(&panel, WM_SLIDER_MOVED, 4242, 0);
    EXPECT_EQ(Volumes(), (std::vector<int>{30, 33}));
    EXPECT_TRUE(panel.m_editVolume.hasFocus());
    EXPECT_EQ(panel.m_editVolume.text(), QStringLiteral("-27dB"));
    // Set from the view: nothing posted; outside the range only the fader.
    panel.SetVolume(12);
    panel.SetVolume(70);
    EXPECT_TRUE(Volumes().empty());
    EXPECT_EQ(panel.GetVolume(), 70);
    EXPECT_EQ(panel.m_editVolume.GetValue(), 12);
}

TEST_F(GainDlgTest, MuteWritesTheMasterByteAndFlagsItem5OnlyWhileConnected)
{
    g_byMasterOn = 1;
    g_bSendSysItem5 = false;
    view.m_bConnected = true;
    QTest::mouseClick(&panel.m_btnMute, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(g_byMasterOn, 0);
    EXPECT_TRUE(panel.m_btnMute.GetCheck());
    EXPECT_TRUE(g_bSendSysItem5.exchange(false));
    view.m_bConnected = false;
    QTest::mouseClick(&panel.m_btnMute, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(g_byMasterOn, 1);
    EXPECT_FALSE(panel.m_btnMute.GetCheck());
    EXPECT_FALSE(g_bSendSysItem5.load());
    EXPECT_TRUE(Volumes().empty());
}

TEST_F(GainDlgTest, TheHiddenControlsStayHiddenYetTheirHandlersPost)
{
    EXPECT_FALSE(panel.m_spinVolume.isVisible());
    EXPECT_FALSE(panel.m_btnDropList.isVisible());
    EXPECT_FALSE(panel.m_btnDropList.isEnabled());
    EXPECT_FALSE(panel.m_btnMixer.isVisible());
    panel.AddDropListItem(QStringLiteral("毫秒"));
    panel.AddDropListItem(QStringLiteral("厘米"));
    panel.SelectDropListItem(1);
    SendMessage(&panel, WM_COMBOBTN_SELCHANGE, 0, 1);
    SendMessage(&panel, WM_COMMAND, CGainDlg::IDC_MIXER, 0);
    host.DeliverPosted();
    const auto picked = host.Messages(WM_DROPLIST_SELECTED);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].lParam, LPARAM(2));
    const auto mixer = host.Messages(WM_MIXER_TOGGLED);
    ASSERT_EQ(mixer.size(), 1u);
    EXPECT_EQ(mixer[0].lParam, LPARAM(1));
    EXPECT_TRUE(panel.m_btnMixer.GetCheck());
}

TEST_F(GainDlgTest, TheSkinFollowsLanguageAndLockAndOffReadsInChinese)
{
    panel.SetVolume(0);
    const QPoint probe(47, 4);
    struct Case {
        bool chinese, locked;
        UINT skin;
    };
    for (const Case& c : {Case{false, false, 1153}, Case{true, false, 739}, Case{false, true, 1212},
                          Case{true, true, 1211}}) {
        g_bChinese = c.chinese;
        g_bDataLocked = c.locked;
        panel.m_editVolume.RefreshLanguage();
        const QImage shown = panel.grab().toImage();
        const QImage skin = CResourceStore::Image(QStringLiteral("BMP"), c.skin);
        EXPECT_EQ(shown.pixelColor(probe), skin.pixelColor(probe)) << c.skin;
        EXPECT_EQ(panel.m_editVolume.text(), c.chinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
    }
}

}  // namespace
