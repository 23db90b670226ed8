// The noise-gate switch of the advanced settings dialog: its state from
// system byte 11, what a click writes and queues at once, the keys that
// never close it, and its skin by language.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "model/DataDefine.h"
#include "pages/input/InputNoiseDlg.h"
#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"
#include "tests/pages/RecordingMainView.h"
#include "tests/pages/input/DialogTestSupport.h"

namespace {

class InputNoiseDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memcpy(m_saved, g_SystemBytes, sizeof m_saved);
        g_bChinese = false;
    }
    void TearDown() override
    {
        std::memcpy(g_SystemBytes, m_saved, sizeof m_saved);
        g_bChinese = false;
    }
    void Open(CInputNoiseDlg& dialog)
    {
        dialog.m_pView = &view;
        dialog.OnInitDialog();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    BYTE m_saved[sizeof g_SystemBytes] = {};
    CRecordingMainView view;
};

TEST_F(InputNoiseDlgTest, EachClickWritesTheGateAndQueuesSystemCommand5AtOnce)
{
    g_SystemBytes[11] = 55;
    view.m_bConnected = true;
    CInputNoiseDlg dialog;
    Open(dialog);
    EXPECT_TRUE(dialog.m_btnGate.GetCheck());
    QTest::mouseClick(&dialog.m_btnGate, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(g_SystemBytes[11], 0);
    EXPECT_FALSE(dialog.m_btnGate.GetCheck());
    ASSERT_EQ(view.m_frames.size(), 1u);
    QTest::mouseClick(&dialog.m_btnGate, Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(g_SystemBytes[11], 1);
    EXPECT_TRUE(dialog.m_btnGate.GetCheck());
    ASSERT_EQ(view.m_frames.size(), 2u);
    EXPECT_EQ(view.m_queued, (std::vector<std::pair<int, int>>{{5, 0}, {5, 0}}));
    // Byte 11 is carried in the frame: 0, then 1 (the checksum follows it).
    // System item 5: the gate is its fourth byte, 0 and then 1.
    for (int i = 0; i < 2; ++i) {
        const std::vector<BYTE>& frame = view.m_frames[size_t(i)];
        ASSERT_EQ(frame.size(), 24u);
        EXPECT_EQ(std::vector<BYTE>(frame.begin(), frame.begin() + 14),
                  DialogFrame("09 05 00 00 00 08 00"));
        EXPECT_EQ(frame[17], BYTE(i));
    }
    dialog.close();
    EXPECT_EQ(view.m_frames.size(), 2u);
}

TEST_F(InputNoiseDlgTest, EnterAndEscapeCloseNothing)
{
    CInputNoiseDlg dialog;
    Open(dialog);
    dialog.m_btnGate.setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter}) {
        QTest::keyClick(&dialog.m_btnGate, key);
        QTest::keyClick(&dialog, key);
        EXPECT_TRUE(dialog.isVisible()) << key;
        EXPECT_EQ(dialog.result(), 0) << key;
    }
    EXPECT_FALSE(dialog.m_btnOk->isVisible());
}

TEST_F(InputNoiseDlgTest, CaptionAndSkinFollowTheLanguage)
{
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CInputNoiseDlg dialog;
        Open(dialog);
        EXPECT_EQ(dialog.windowTitle(), chinese ? QStringLiteral("高级设置") : QStringLiteral("Advanced settings"));
        const QImage skin = CResourceStore::Image(QStringLiteral("BMP"), chinese ? 1190 : 1191);
        EXPECT_EQ(dialog.grab().toImage().pixelColor(3, 3), skin.pixelColor(3, 3));
    }
}

}  // namespace
