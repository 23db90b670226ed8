// The transfer popup on its own: texts by language and mode, the blink, the
// factory-reset bar, what it disables and enables again, and that nothing
// but the end of the transfer closes it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <QWidget>

#include "app/DisplayDlg.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"

namespace {

class DisplayDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.resize(800, 600);
        m_parent.show();
        g_bTransferBusy = false;
    }
    void TearDown() override
    {
        g_bTransferBusy = false;
        g_bChinese = false;
        g_pProgramDlg = nullptr;
    }

    QWidget m_parent;
    CDisplayDlg m_popup{&m_parent};
};

TEST_F(DisplayDlgTest, TextsFollowTheLanguageAndTheMode)
{
    struct Case {
        bool chinese, factory;
        const char* label;
        const char* caption;
    };
    const Case cases[] = {
        {false, false, "Data transmission", "Data transmission"},
        {true, false, "数据正在传输中", "数据传输"},
        {false, true, "Load factory defaults", "Advanced"},
        {true, true, "正在恢复出厂设置", "高级"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_bChinese = c.chinese;
        if (c.factory)
            m_popup.SetFactoryResetMode();
        m_popup.ShowPopup(false);
        EXPECT_EQ(m_popup.Label().text(), QString::fromUtf8(c.label));
        EXPECT_EQ(m_popup.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(m_popup.isVisible());
        EXPECT_TRUE(m_popup.IsBlinkTimerRunning());
        m_popup.HidePopup();
        EXPECT_FALSE(m_popup.isVisible());
        EXPECT_FALSE(m_popup.IsFactoryMode());
    }
}

TEST_F(DisplayDlgTest, ItBlinksWhileBusyAndEndsWithTheTransfer)
{
    g_bTransferBusy = true;
    m_popup.ShowPopup(false);
    EXPECT_FALSE(m_parent.isEnabled());
    EXPECT_TRUE(m_popup.isEnabled());
    const QColor first = m_popup.Label().palette().color(QPalette::WindowText);
    (void)first;
    m_popup.OnTimer(CDisplayDlg::TIMER_BLINK);
    EXPECT_FALSE(m_popup.IsShown());
    m_popup.OnTimer(CDisplayDlg::TIMER_BLINK);
    EXPECT_TRUE(m_popup.IsShown());
    EXPECT_TRUE(m_popup.isVisible());
    g_bTransferBusy = false;
    m_popup.OnTimer(CDisplayDlg::TIMER_BLINK);
    EXPECT_FALSE(m_popup.isVisible());
    EXPECT_EQ(m_popup.Label().text(), QStringLiteral("End of data transmission"));
    EXPECT_TRUE(m_parent.isEnabled());
    EXPECT_FALSE(m_popup.IsBlinkTimerRunning());
}

TEST_F(DisplayDlgTest, TheFactoryResetBarCreepsFillsAndClosesThirteenTicksAfterTheReply)
{
    g_bTransferBusy = true;
    m_popup.SetFactoryResetMode();
    m_popup.ShowPopup(true);
    for (int tick = 0; tick < 200; ++tick)
        m_popup.OnTimer(CDisplayDlg::TIMER_BLINK);
    EXPECT_EQ(m_popup.Progress().GetPos(), 108);
    g_bTransferBusy = false;
    int ticks = 0;
    while (m_popup.isVisible() && ticks < 100) {
        m_popup.OnTimer(CDisplayDlg::TIMER_BLINK);
        ++ticks;
        if (ticks == 1) {
            EXPECT_EQ(m_popup.Progress().GetPos(), 110);
        }
    }
    EXPECT_EQ(ticks, 13);
    EXPECT_EQ(m_popup.Label().text(), QStringLiteral("Load factory default success"));
}

TEST_F(DisplayDlgTest, KeysAndTheCloseBoxKeepIt)
{
    g_bTransferBusy = true;
    m_popup.ShowPopup(false);
    QTest::keyClick(&m_popup, Qt::Key_Escape);
    QTest::keyClick(&m_popup, Qt::Key_Return);
    m_popup.close();
    EXPECT_TRUE(m_popup.isVisible());
    EXPECT_EQ(m_popup.result(), 0);
}

TEST_F(DisplayDlgTest, ShownTwiceHiddenOnceEnablesEverythingItDisabled)
{
    QDialog program(&m_parent);
    program.show();
    g_pProgramDlg = &program;
    g_bTransferBusy = true;
    // From the view, then from the machine-preset dialog.
    m_popup.ShowPopup(false);
    m_popup.ShowPopup(true);
    EXPECT_FALSE(m_parent.isEnabled());
    EXPECT_FALSE(program.isEnabled());
    EXPECT_TRUE(m_popup.isEnabled());
    m_popup.HidePopup();
    EXPECT_TRUE(m_parent.isEnabled());
    EXPECT_TRUE(program.isEnabled());

    // A dialog that was disabled already stays so; without a dialog, TRUE
    // disables nothing.
    program.setEnabled(false);
    m_popup.ShowPopup(true);
    m_popup.HidePopup();
    EXPECT_FALSE(program.isEnabled());
    g_pProgramDlg = nullptr;
    m_popup.ShowPopup(true);
    EXPECT_TRUE(m_parent.isEnabled());
    m_popup.HidePopup();
}

}  // namespace
