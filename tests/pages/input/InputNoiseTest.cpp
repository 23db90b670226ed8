// The noise threshold dialog: its threshold in system bytes 11 and 15 from
// the spin and the field, "OFF" at the bottom, the gate switch it shares
// with the advanced settings dialog, and the keys that never close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/DataDefine.h"
#include "pages/input/InputNoise.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ResourceStore.h"
#include "tests/pages/RecordingMainView.h"
#include "tests/pages/input/DialogTestSupport.h"

namespace {

class InputNoiseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memcpy(m_saved, g_SystemBytes, sizeof m_saved);
        m_savedItem5 = g_bSendSysItem5;
        g_bChinese = false;
        g_SystemBytes[11] = 55;
        g_SystemBytes[15] = 0;
    }
    void TearDown() override
    {
        std::memcpy(g_SystemBytes, m_saved, sizeof m_saved);
        g_bSendSysItem5 = m_savedItem5;
        g_bChinese = false;
    }
    void Open(CInputNoise& dialog)
    {
        dialog.m_pView = &view;
        dialog.OnInitDialog();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    BYTE m_saved[sizeof g_SystemBytes] = {};
    bool m_savedItem5 = false;
    CRecordingMainView view;
};

TEST_F(InputNoiseTest, TheThresholdGoesIntoBytes11And15AndFlagsSystemItem5)
{
    CInputNoise dialog;
    Open(dialog);
    EXPECT_TRUE(dialog.m_btnGate.GetCheck());
    // Spinning down to the bottom: "OFF", stored as 0, the copy keeps 20.
    dialog.m_spinLevel.SetPos(21);
    dialog.m_spinLevel.StepBy(-1);
    EXPECT_EQ(dialog.m_editLevel.text(), QStringLiteral("OFF"));
    EXPECT_EQ(g_SystemBytes[11], 0);
    EXPECT_EQ(g_SystemBytes[15], 20);
    EXPECT_EQ(view.m_item5Calls, std::vector<bool>{true});
    EXPECT_TRUE(g_bSendSysItem5);

    struct Case {
        int steps;
        const char* text;
    };
    for (const Case& c : {Case{21, "-99dBu"}, Case{50, "-70dBu"}, Case{80, "-40dBu"}}) {
        dialog.m_spinLevel.SetPos(c.steps - 1);
        dialog.m_spinLevel.StepBy(1);
        EXPECT_EQ(dialog.m_editLevel.text(), QString::fromLatin1(c.text)) << c.steps;
        EXPECT_EQ(g_SystemBytes[11], c.steps);
        EXPECT_EQ(g_SystemBytes[15], c.steps);
    }
    EXPECT_EQ(view.m_item5Calls.size(), 4u);
    EXPECT_EQ(dialog.m_spinLevel.GetPos(), 80);

    // The field's commit takes the same way; a value equal to byte 11
    // changes nothing.
    dialog.m_editLevel.SetValue(40);
    dialog.WindowProc(WM_COMMAND, WPARAM(CInputNoise::IDC_LEVEL_EDIT), 0);
    EXPECT_EQ(g_SystemBytes[11], 40);
    EXPECT_EQ(g_SystemBytes[15], 40);
    EXPECT_EQ(dialog.m_spinLevel.GetPos(), 40);
    EXPECT_EQ(view.m_item5Calls.size(), 5u);
    g_SystemBytes[15] = 7;
    dialog.WindowProc(WM_COMMAND, WPARAM(CInputNoise::IDC_LEVEL_EDIT), 0);
    EXPECT_EQ(g_SystemBytes[15], 7);
    EXPECT_EQ(view.m_item5Calls.size(), 5u);
    EXPECT_TRUE(view.m_queued.empty());
}

TEST_F(InputNoiseTest, TheSwitchWritesTheGateAndQueuesSystemCommand5)
{
    view.m_bConnected = true;
    CInputNoise dialog;
    Open(dialog);
    QTest::mouseClick(&dialog.m_btnGate, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(g_SystemBytes[11], 0);
    EXPECT_FALSE(dialog.m_btnGate.GetCheck());
    QTest::mouseClick(&dialog.m_btnGate, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(g_SystemBytes[11], 1);
    EXPECT_TRUE(dialog.m_btnGate.GetCheck());
    EXPECT_EQ(view.m_queued, (std::vector<std::pair<int, int>>{{5, 0}, {5, 0}}));
    ASSERT_EQ(view.m_frames.size(), 2u);
    EXPECT_EQ(std::vector<BYTE>(view.m_frames[1].begin(), view.m_frames[1].begin() + 14),
              DialogFrame("09 05 00 00 00 08 00"));
    EXPECT_EQ(view.m_frames[1][17], 1);
}

TEST_F(InputNoiseTest, EnterAndEscapeCloseNothingAndTheLanguageSetsCaptionAndSkin)
{
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CInputNoise dialog;
        Open(dialog);
        EXPECT_EQ(dialog.windowTitle(),
                  chinese ? QStringLiteral("噪声门限设置") : QStringLiteral("Input noise threshold set"));
        const QImage skin = CResourceStore::Image(QStringLiteral("BMP"), chinese ? 1190 : 1191);
        EXPECT_EQ(dialog.grab().toImage().pixelColor(3, 3), skin.pixelColor(3, 3));
        dialog.m_btnGate.setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
            QTest::keyClick(&dialog.m_btnGate, key);
            QTest::keyClick(&dialog, key);
            EXPECT_TRUE(dialog.isVisible()) << key;
            EXPECT_EQ(dialog.result(), 0) << key;
        }
        EXPECT_FALSE(dialog.m_editLevel.isVisible());
        EXPECT_FALSE(dialog.m_spinLevel.isVisible());
        EXPECT_FALSE(dialog.m_btnCancel->isVisible());
    }
}

}  // namespace
