#pragma once
// Waits for another thread's work to show: polls cond every millisecond or
// two for at most ms. A wide bound that catches a hang, never a timing test.
#include <chrono>
#include <thread>

template <class Cond>
bool Eventually(Cond cond, int ms = 5000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
