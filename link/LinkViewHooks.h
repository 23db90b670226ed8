#pragma once
// What the main view does at the turns of a connect and a disconnect that
// the link itself cannot do: its windows, and the first requests of the
// connect dialogue. The view fills the hooks in; an empty hook is skipped.
// Every hook runs on the UI thread.
#include <functional>

struct CLinkViewHooks {
    // A link has opened: the transfer progress counter back to 0, the
    // connect button, lamp and status text shown as connected.
    std::function<void()> linkOpened;
    // Called with the send lock held, right before the worker starts: queue
    // the handshake and version requests (and mark the handshake pending).
    std::function<void()> requestDeviceInfo;
    // A link has closed: the progress bar, the preset name, the transfer
    // popup and the connect button, lamp and status text shown as closed.
    std::function<void()> linkClosed;
};
