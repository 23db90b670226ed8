#pragma once
// Where the link-group dialog finds the link masks of the outputs and whom
// it asks to copy settings through a new group. The output page keeps the
// masks in its twelve strip records and is the one store; the dialog sees
// only this, so the output and input pages never include each other.
// UI thread only.
class CMsgTarget;

class ILinkMaskStore {
public:
    // The link mask of output 0..11 (bit n = output n); 0 for any other.
    virtual int LinkMask(int output) const = 0;
    // Stores the mask of output 0..11 (any other index is ignored); the
    // view's strip of that output keeps the same mask.
    virtual void SetLinkMask(int output, int mask) = 0;
    // The receiver of WM_LINK_GROUP_COPY (wParam the source output).
    virtual CMsgTarget* LinkGroupCopyTarget() = 0;

protected:
    ~ILinkMaskStore() = default;
};
