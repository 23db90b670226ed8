// The transfer popup while the I/O worker moves its bar through the link's
// shared slot: the UI thread shows it, blinks it, sets a new range, hides
// it, shows it in factory-reset mode and at last destroys it. The worker
// reaches only the bar's shared numbers: ThreadSanitizer stays quiet, the
// window it disabled is enabled again, and the bar shows the worker's last
// word.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include <QWidget>

#include "app/DisplayDlg.h"
#include "link/LinkDisplays.h"
#include "model/LinkState.h"
#include "tests/common/Eventually.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

TEST(DisplayDlgThreadsTest, AWorkerMovesTheBarWhileThePopupShowsResetsAndHides)
{
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    auto* popup = new CDisplayDlg(&parent);
    g_pTransferProgress.Set(popup->Progress().Display());

    std::atomic<bool> stop{false};
    std::atomic<int> rounds{0};
    std::thread worker([&] {
        int i = 0;
        while (!stop.load()) {
            if (std::shared_ptr<IProgressDisplay> bar = g_pTransferProgress.Get()) {
                const int upper = bar->GetRangeUpper();
                bar->SetPos(upper > 0 ? i % (upper + 1) : 0);
            }
            ++i;
            rounds.store(i);
            if (i % 64 == 0)
                std::this_thread::yield();
        }
        if (std::shared_ptr<IProgressDisplay> bar = g_pTransferProgress.Get())
            bar->SetPos(9);
    });

    g_bTransferBusy = true;
    for (int step = 0; step < 90; ++step) {
        ASSERT_TRUE(Eventually([&] { return rounds.load() > step * 4; }));
        switch (step % 6) {
        case 0:
            // A transfer starts: its range, the popup over the view.
            popup->Progress().SetRange(0, 16 + step % 5);
            popup->Progress().SetPos(0);
            popup->ShowPopup(false);
            EXPECT_FALSE(parent.isEnabled());
            break;
        case 1:
        case 2:
            popup->OnTimer(CDisplayDlg::TIMER_BLINK);
            break;
        case 3:
            // The range reset while it shows (a sequence behind another).
            popup->Progress().SetRange(0, 96);
            popup->Progress().SetPos(0);
            break;
        case 4:
            popup->HidePopup();
            EXPECT_TRUE(parent.isEnabled());
            break;
        case 5:
            popup->SetFactoryResetMode();
            popup->ShowPopup(true);
            popup->OnTimer(CDisplayDlg::TIMER_BLINK);
            popup->HidePopup();
            break;
        }
        Render(popup);
        popup->Progress().DeliverPosted();
    }
    popup->Progress().SetRange(0, 20);
    stop.store(true);
    worker.join();
    g_bTransferBusy = false;
    EXPECT_EQ(popup->Progress().GetPos(), 9);

    // Destroyed while the worker could still look: the slot is emptied
    // before the bar goes.
    popup->DestroyPopup();
    EXPECT_EQ(g_pTransferProgress.Get(), nullptr);
    EXPECT_TRUE(parent.isEnabled());
    delete popup;
    EXPECT_EQ(g_pDisplayDlg, nullptr);
}

}  // namespace
