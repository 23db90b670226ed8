#pragma once
// The device's "send again" answers ('R') to one command in a row. The
// transports send a command the device asked for again at once, on the same
// link, and give up when it keeps asking. I/O worker only.
#include <memory>

class CSendData;

enum : int {
    // 'R' answers in a row to one command that end the link.
    LINK_MAX_RESENDS = 3,
};

class CResendRun {
public:
    // The head about to be sent goes out again because the device asked for
    // it ('R' to this very command): TRUE then, and the head's mark is
    // cleared either way. Any other head ends the run.
    bool TakeResend(const std::shared_ptr<CSendData>& head);
    // The device answered head with 'R': TRUE when that was the
    // LINK_MAX_RESENDS-th in a row, which ends the link (the run ends too).
    bool Answered(const std::shared_ptr<CSendData>& head);
    // A reply came, or the head changed: the run ends.
    void End();

private:
    std::weak_ptr<CSendData> m_pHead;
    int m_nCount = 0;
};
