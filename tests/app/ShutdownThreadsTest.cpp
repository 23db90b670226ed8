// The whole program against the simulated device on 127.0.0.1: it connects
// by itself once the message loop runs, and whichever way the window
// closes, the clean-up runs once, every thread of the link has ended and the
// view's globals are cleared; the program starts again in the same process.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>

#include "link/UsbClaims.h"
#include "model/FrameBuilder.h"
#include "model/WindowMessages.h"
#include "tests/app/AppStartFixture.h"
#include "tests/common/Eventually.h"

namespace {

using Clock = std::chrono::steady_clock;

class ShutdownThreadsTest : public AppStartTest {
protected:
    // The system requests the device received, in order.
    std::vector<int> RequestedItems() const
    {
        std::vector<int> items;
        for (const CSimLogEntry& entry : m_device.Log()) {
            if (!entry.sync && entry.frame.cls == CSimFrame::kRequest && entry.frame.type == BLOCK_SYSTEM)
                items.push_back(entry.frame.item);
        }
        return items;
    }

    // Runs the event loop until the program is connected and has accepted
    // the device's version: the handshake and the version request came
    // first, and the connect button shows the link up.
    void RunUntilConnected()
    {
        ASSERT_TRUE(WaitFor([&] { return View()->IsConnected() && g_bDeviceSynced; }, 30000));
        // The read-back after the connect disables the view until it ends.
        ASSERT_TRUE(WaitFor([&] { return ReadBackEnded(); }, 30000));
        const std::vector<int> items = RequestedItems();
        ASSERT_GE(items.size(), 2u);
        EXPECT_EQ(items[0], SYSTEM_ITEM_HANDSHAKE);
        EXPECT_EQ(items[1], SYSTEM_ITEM_VERSION);
        EXPECT_GE(m_pServer->AcceptedCount(), 1);
        EXPECT_EQ(View()->m_btnConnect.CurrentBitmapId(), g_bChinese ? 8741u : 8743u);
    }

    // After the window closed: cleaned up, no thread of the link left, the
    // globals cleared, no box shown. The simulated device may still serve
    // the connection the program has left open until its view is gone.
    void ExpectCleanedUp(CBrelinView* view, int simulatorThreads)
    {
        EXPECT_TRUE(view->IsCleanedUp());
        EXPECT_FALSE(view->DeviceLink().IsIoWorkerRunning());
        EXPECT_EQ(g_pView, nullptr);
        EXPECT_EQ(g_pNotifyView.load(), nullptr);
        EXPECT_EQ(g_pCommand.load(), nullptr);
        // The worker and the reachability thread are gone.
        EXPECT_TRUE(Eventually([&] { return ThreadCount() <= m_nThreadsBefore + simulatorThreads; }, 5000))
            << ThreadCount() << " threads, " << m_nThreadsBefore << " before the start";
        EXPECT_TRUE(m_boxes.shown.empty());
    }
};

TEST_F(ShutdownThreadsTest, EveryWayOfClosingCleansUpOnceAndTheProgramStartsAgain)
{
    StartSimulator();
    g_theApp.m_bCloseOnSignals = true;
    enum Way { ExitButton, FrameClose, Terminate, Interrupt };
    for (const Way way : {ExitButton, FrameClose, Terminate, Interrupt}) {
        SCOPED_TRACE(int(way));
        ASSERT_TRUE(StartApp());
        RunUntilConnected();
        CBrelinView* view = View();
        EXPECT_GT(ThreadCount(), m_nThreadsBefore);

        const Clock::time_point start = Clock::now();
        switch (way) {
        case ExitButton:
            view->m_btnExit.click();
            break;
        case FrameClose:
            Frame()->close();
            break;
        case Terminate:
        case Interrupt:
            raise(way == Terminate ? SIGTERM : SIGINT);
            ASSERT_TRUE(WaitFor([&] { return !Frame()->isVisible(); }, 10000));
            break;
        }
        // The clean-up is bounded: every wait of the link ends on its token.
        if (way == ExitButton || way == FrameClose) {
            EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        }
        EXPECT_FALSE(Frame()->isVisible());
        ExpectCleanedUp(view, 1);
        EndApp();
        // With the view, the link closed: the device's side ends too.
        EXPECT_TRUE(Eventually([&] { return ThreadCount() <= m_nThreadsBefore; }, 5000));
        EXPECT_EQ(g_nLinkType.load(), int(LINK_NONE));
    }
}

TEST_F(ShutdownThreadsTest, TheUsbClaimOfThisCopyGoesWithTheWindow)
{
    // The simulated processor plugged in over USB: the start connects to it
    // and claims it.
    m_device.SetState(DefaultDeviceState());
    const QString path = m_hidBus.Plug();
    for (const bool byButton : {true, false}) {
        ASSERT_TRUE(StartApp());
        CBrelinView* view = View();
        ASSERT_TRUE(WaitFor([&] { return view->IsConnected() && g_bDeviceSynced && ReadBackEnded(); }, 30000));
        EXPECT_EQ(g_nLinkType.load(), int(LINK_USB));
        EXPECT_EQ(CAppSettings::ValueNames(SETTINGS_USB), QStringList{CUsbClaims::EncodePath(path)});
        EXPECT_FALSE(CUsbClaims().IsUsbPathFree(path));
        if (byButton)
            view->m_btnExit.click();
        else
            Frame()->close();
        // The claim is gone at once: another copy may take the device.
        EXPECT_TRUE(CAppSettings::ValueNames(SETTINGS_USB).isEmpty());
        EXPECT_TRUE(CUsbClaims().IsUsbPathFree(path));
        ExpectCleanedUp(view, 0);
        EndApp();
    }
}

TEST_F(ShutdownThreadsTest, ClosingWhileAConnectIsUnderWayGivesItUp)
{
    StartSimulator();
    // The probe holds, as a ping that takes long.
    m_net.Hold(true);
    ASSERT_TRUE(StartApp());
    CBrelinView* view = View();
    ASSERT_TRUE(WaitFor([&] { return m_net.ProbeCount() > 0; }, 30000));
    const Clock::time_point start = Clock::now();
    Frame()->close();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(view->IsConnected());
    ExpectCleanedUp(view, 0);
    EXPECT_EQ(m_pServer->AcceptedCount(), 0);
    m_net.Hold(false);
}

}  // namespace
