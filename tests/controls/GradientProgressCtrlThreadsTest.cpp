#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "controls/GradientProgressCtrl.h"
#include "link/LinkDisplays.h"
#include "platform/core/Types.h"
#include "tests/common/Eventually.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// The I/O worker moves the transfer and the update bar through the link's
// slots while the UI thread sets ranges, paints, clears a slot and destroys
// its bar. The worker never reaches a widget: ThreadSanitizer and
// AddressSanitizer stay quiet, and the bar that survives paints the last
// position stored.
TEST(GradientProgressCtrlThreadsTest, TheWorkerReachesOnlyTheSharedNumbers)
{
    auto* transfer = new CGradientProgressCtrl;
    auto* update = new CGradientProgressCtrl;
    transfer->resize(510, 10);
    update->resize(200, 10);
    transfer->SetBkColor(RGB(128, 128, 128));
    g_pTransferProgress.Set(transfer->Display());
    g_pUpdateProgress.Set(update->Display());

    std::atomic<bool> stop{false};
    std::atomic<int> rounds{0};
    std::thread worker([&] {
        int i = 0;
        while (!stop.load()) {
            for (CSharedSlot<IProgressDisplay>* slot : {&g_pTransferProgress, &g_pUpdateProgress}) {
                if (std::shared_ptr<IProgressDisplay> bar = slot->Get()) {
                    const int upper = bar->GetRangeUpper();
                    bar->SetPos(bar->GetPos() + 1 > upper ? 0 : i % (upper + 1));
                }
            }
            ++i;
            rounds.store(i);
            if (i % 64 == 0)
                std::this_thread::yield();
        }
        // The last word: 20 of the transfer bar's 100.
        if (std::shared_ptr<IProgressDisplay> bar = g_pTransferProgress.Get())
            bar->SetPos(20);
    });

    for (int step = 0; step < 120; ++step) {
        ASSERT_TRUE(Eventually([&] { return rounds.load() > step * 4; }));
        transfer->SetRange(0, 100 + step % 3);
        Render(transfer);
        transfer->DeliverPosted();
        if (update) {
            update->SetRange(0, 50);
            Render(update);
            update->DeliverPosted();
        }
        if (step == 60) {
            g_pUpdateProgress.Clear();
            delete update;  // the worker may still hold the numbers: a late SetPos only stores
            update = nullptr;
        }
    }
    transfer->SetRange(0, 100);
    stop.store(true);
    worker.join();

    EXPECT_EQ(transfer->GetPos(), 20);
    transfer->DeliverPosted();
    const QImage image = Render(transfer).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QColor(image.pixel(103, 5)), QColor(255 - 51, 0, 51));
    EXPECT_EQ(QColor(image.pixel(104, 5)), QColor(128, 128, 128));

    g_pTransferProgress.Clear();
    delete transfer;
}

}  // namespace
