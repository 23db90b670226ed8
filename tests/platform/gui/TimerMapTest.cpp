#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QElapsedTimer>
#include <QObject>

#include "platform/gui/TimerMap.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

TEST(TimerMapTest, TimersFireByIdAndCanBeKilledFromTheirHandler)
{
    QObject owner;
    std::vector<UINT> fired;
    CTimerMap* self = nullptr;
    CTimerMap timers(&owner, [&](UINT id) {
        fired.push_back(id);
        if (id == 7)
            self->KillTimer(7);
    });
    self = &timers;
    QElapsedTimer clock;
    clock.start();
    timers.SetTimer(7, 30);
    timers.SetTimer(9, 20);
    EXPECT_TRUE(timers.IsTimerSet(7));
    EXPECT_EQ(timers.Interval(9), 20);
    ASSERT_TRUE(WaitFor([&] { return fired.size() >= 3; }));
    EXPECT_GE(clock.elapsed(), 30);  // never early
    EXPECT_FALSE(timers.IsTimerSet(7));
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 7u), 1);
    EXPECT_TRUE(timers.KillTimer(9));
    EXPECT_FALSE(timers.KillTimer(9));
    EXPECT_FALSE(timers.KillTimer(12345));
    EXPECT_EQ(timers.Interval(9), -1);
}

TEST(TimerMapTest, SettingARunningIdRestartsIt)
{
    QObject owner;
    int fired = 0;
    CTimerMap timers(&owner, [&](UINT) { ++fired; });
    timers.SetTimer(1, 5000);
    timers.SetTimer(1, 10);
    EXPECT_EQ(timers.Interval(1), 10);
    EXPECT_TRUE(WaitFor([&] { return fired > 0; }, 2000));
}

}  // namespace
