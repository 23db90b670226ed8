#pragma once
// A message target that records what reaches it, with the thread it ran on
// and whether it was sent (handled at once) or posted (queued).
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/MsgTarget.h"

class CRecordingTarget : public CMsgTarget {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::thread::id thread;
        bool bSent;
    };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<Received> Messages() const;
    // Only the messages with this id.
    std::vector<Received> Messages(UINT message) const;
    void Clear();

    // Answer of WindowProc (what a synchronous send returns).
    LRESULT m_nAnswer = 0;

private:
    mutable std::mutex m_mutex;
    std::vector<Received> m_received;
};
