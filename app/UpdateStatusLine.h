#pragma once
// The firmware update dialog's status line as the link code sees it
// (m_pCurHexUpTip): the I/O worker and the UI thread set texts; the latest
// one is kept under a mutex and the dialog is told by a posted message, so
// that it shows the text on the UI thread. Texts set before the dialog has
// shown the last one are not queued: the dialog shows the latest.
#include <mutex>

#include <QString>

#include "link/StatusDisplay.h"
#include "platform/core/Types.h"

class CMsgTarget;

class CUpdateStatusLine : public IStatusDisplay {
public:
    // owner gets message (0, 0) after every new text.
    CUpdateStatusLine(CMsgTarget* owner, UINT message);

    // Any thread.
    void SetText(const QString& text) override;
    // The latest text.
    QString Text() const;
    // No more messages to the owner (it is going away).
    void Detach();

private:
    mutable std::mutex m_mutex;
    QString m_strText;
    CMsgTarget* m_pOwner;
    const UINT m_nMessage;
};
