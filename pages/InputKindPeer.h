#pragma once
// The input page as the level-and-delay page sees it. The two pages live in
// libraries that never link each other: the input page implements this
// interface and publishes itself in g_pInPutDlg while its window exists.
// UI thread only.
class CMsgTarget;

class IInputKindPeer {
public:
    // Shows the source button for input kind `kind` under AUX mode `table`.
    virtual void UpdateSourceButton(int kind, int table) = 0;
    // Where the input-kind messages for the input page are posted.
    virtual CMsgTarget* KindMessageTarget() = 0;

protected:
    ~IInputKindPeer() = default;
};

// The input page while its window exists; null otherwise.
inline IInputKindPeer* g_pInPutDlg = nullptr;
