#pragma once
// The meeting point of a fader and its numeric edit: each shows the other's
// focus. The fader lights its edit while it holds the focus; the edit, when
// it takes the focus, asks its fader for the focused look through this
// interface.
class IFocusLookBuddy {
public:
    virtual ~IFocusLookBuddy() = default;
    // Shows (true) or clears the focused look.
    virtual void SetFocusLook(bool on) = 0;
};
