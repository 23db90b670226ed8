#pragma once
// The firmware update's side of the reply parser: for every answered update
// command it moves the update dialog's bar by one, shows the step's text and,
// on the answer to the last command, reports the end of the update. Runs on
// the thread that feeds the parser.
//
// Texts and bar stay untouched while g_bUpdateCancelled is set (the dialog is
// being torn down). Nothing happens to a display that is not published.
#include <atomic>

class CMsgTarget;

class CUpdateProgress {
public:
    CUpdateProgress() = default;
    CUpdateProgress(const CUpdateProgress&) = delete;
    CUpdateProgress& operator=(const CUpdateProgress&) = delete;

    // A firmware command with this code was answered. WM_UPDATE_SUCCEEDED
    // goes to owner when it was the last one.
    void OnAnswered(int code, CMsgTarget* owner);
    // The last command was sent over the network, where it is not answered:
    // the update has ended (even while the dialog is being torn down).
    void Finish(CMsgTarget* owner);

    // The data commands are being answered: the step text is shown once and
    // the bar held below its top.
    bool IsDataPhase() const { return m_bDataPhase.load(); }

private:
    std::atomic<bool> m_bDataPhase{false};
};
