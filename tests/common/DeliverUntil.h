#pragma once
// The owner thread's side of a cross-thread test without an event loop:
// delivers what waits for the target until cond holds. A wide bound that
// catches a hang; false when it ran out.
#include "platform/core/MsgTarget.h"
#include "tests/common/Eventually.h"

template <class Cond>
bool DeliverUntil(CMsgTarget& target, Cond cond, int ms = 60000)
{
    return Eventually(
        [&] {
            target.DeliverPosted();
            return cond();
        },
        ms);
}
