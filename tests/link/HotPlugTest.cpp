// Hot-plug notices: an arrival or a removal reaches the view as
// WM_DEVICECHANGE with the device's path, through the monitor's notifier on
// the UI thread.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "link/HotPlugMonitor.h"
#include "platform/core/SystemMessages.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/FakeHotPlugSource.h"

namespace {

// Records the path of each notice while it is alive (during the call).
class CNoticeRecorder : public CRecordingTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DEVICECHANGE) {
            const auto* notice = reinterpret_cast<const DeviceInterfaceNotice*>(lParam);
            types.push_back(notice != nullptr ? notice->deviceType : 0);
            paths.push_back(notice != nullptr ? notice->path : QString());
        }
        return CRecordingTarget::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> types;
    std::vector<QString> paths;
};

TEST(HotPlug, ArrivalsAndRemovalsReachTheViewAsDeviceChanges)
{
    CNoticeRecorder view;
    CFakeHotPlugSource source;
    CHotPlugMonitor monitor(&view);
    ASSERT_TRUE(monitor.Start(source.Borrow()));
    EXPECT_TRUE(monitor.IsWatching());

    source.Announce(true, QStringLiteral("/dev/hidraw2"));
    source.Announce(false, QStringLiteral("/dev/hidraw1"));
    // The event loop of the UI thread reads them.
    ASSERT_TRUE(Eventually([&] {
        QCoreApplication::processEvents();
        return view.paths.size() == 2;
    }));
    const std::vector<CRecordingTarget::Received> got = view.Messages(WM_DEVICECHANGE);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].wParam, WPARAM(DBT_DEVICEARRIVAL));
    EXPECT_EQ(got[1].wParam, WPARAM(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_TRUE(got[0].bSent);
    EXPECT_EQ(view.types, (std::vector<UINT>{DBT_DEVTYP_DEVICEINTERFACE, DBT_DEVTYP_DEVICEINTERFACE}));
    EXPECT_EQ(view.paths, (std::vector<QString>{QStringLiteral("/dev/hidraw2"), QStringLiteral("/dev/hidraw1")}));
    EXPECT_EQ(source.Waiting(), 0);
    EXPECT_EQ(monitor.DeliverEvents(), 0);
}

TEST(HotPlug, AMonitorThatCannotWatchSaysSoAndDeliversNothing)
{
    struct BrokenSource : IHotPlugSource {
        int Fd() const override { return -1; }
        bool NextEvent(HotPlugEvent*) override { return true; }
    };
    CNoticeRecorder view;
    CHotPlugMonitor monitor(&view);
    EXPECT_FALSE(monitor.Start(std::make_unique<BrokenSource>()));
    EXPECT_FALSE(monitor.IsWatching());
    EXPECT_EQ(monitor.DeliverEvents(), 0);
    EXPECT_TRUE(view.paths.empty());
}

TEST(HotPlug, TheSystemsMonitorStartsOrSaysWhyNot)
{
    // udev's own monitor: in a container it may not exist; either way the
    // monitor is in a clean state and never delivers without events.
    CNoticeRecorder view;
    CHotPlugMonitor monitor(&view);
    const bool watching = monitor.Start();
    EXPECT_EQ(monitor.IsWatching(), watching);
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.paths.empty());
}

}  // namespace
