#pragma once
// What the main view does at the turns of a link that the link itself
// cannot do: its windows. The view fills the hooks in; an empty hook is
// skipped. Every hook runs on the UI thread.
#include <functional>

struct CLinkViewHooks {
    // A link has opened: the connect button, lamp and status text shown as
    // connected.
    std::function<void()> linkOpened;
    // A link has closed: the progress bar, the preset name and the connect
    // button, lamp and status text shown as closed.
    std::function<void()> linkClosed;
    // The transfer popup's bar (and the view's own) to range 0 to upper,
    // position 0.
    std::function<void(int upper)> transferRange;
    // The transfer popup is shown (arg: the popup's show argument); with
    // factoryReset, in its factory-reset mode.
    std::function<void(bool arg, bool factoryReset)> popupShown;
    // The transfer popup is hidden.
    std::function<void()> popupHidden;
    // The I/O worker has started; and it has stopped fully (the link is
    // down).
    std::function<void()> ioWorkerStarted;
    std::function<void()> ioWorkerStopped;
    // The network module's address and port went back to the factory's
    // after its defaults were loaded.
    std::function<void()> networkDefaultsRestored;
};
