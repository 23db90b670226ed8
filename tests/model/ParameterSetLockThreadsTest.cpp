// A notice asked for while the parameter set is locked is shown only after
// the lock is released, so no modal box ever runs with the lock held.
#include <gtest/gtest.h>

#include <thread>

#include "model/DataDefine.h"
#include "model/ParameterSetLock.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

TEST(ParameterSetLock, BoxesWaitForTheOutermostRelease)
{
    bool lockFreeWhenShown = false;
    CMessageBoxSpy spy;
    MessageBoxHandler recorder = SetMessageBoxHandler([&](const QString& text, unsigned type, int helpId) {
        // Another thread can take the lock while the box is up.
        std::thread other([&] {
            lockFreeWhenShown = g_ParameterSetLock.try_lock();
            if (lockFreeWhenShown)
                g_ParameterSetLock.unlock();
        });
        other.join();
        spy.shown.push_back({text, type, helpId});
        return IDOK;
    });
    char field[8] = {};
    {
        ParameterSetGuard outer(g_ParameterSetLock);
        {
            ParameterSetGuard inner(g_ParameterSetLock);
            EXPECT_FALSE(StringToFixedField(field, 8, QStringLiteral("TooLongName")));
        }
        EXPECT_TRUE(spy.shown.empty());
        EXPECT_FALSE(StringToFixedField(field, 8, QStringLiteral("Another1")));
        EXPECT_TRUE(spy.shown.empty());
    }
    ASSERT_EQ(spy.shown.size(), 2u);
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("Char len error!"));
    EXPECT_EQ(spy.shown[0].helpId, -3);
    EXPECT_TRUE(lockFreeWhenShown);
    SetMessageBoxHandler(recorder);
}

}  // namespace
