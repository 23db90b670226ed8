#pragma once
// What the connect button decided, for the view to show: nothing more, or a
// popup menu of ways to connect (its items in order, each chosen item
// arriving back as its command id).
#include <vector>

#include <QString>

enum : int {
    ID_CONNECT_USB = 732,        // "USB": connect over USB
    ID_CONNECT_NETWORK = 733,    // the network item
    ID_USB_DEVICE_FIRST = 6600,  // "USB1", "USB2", ...: a device by index
    ID_USB_DEVICE_LAST = 6700,
};

struct CConnectDecision {
    enum class Kind {
        Ignored,            // a disconnect or a connect is still under way
        Disconnecting,      // the link closes shortly
        ShowMenu,           // show menu at the button, route the chosen id
        Connected,          // connected over USB at once
        ConnectFailed,      // the one device failed; the box was shown
        NetworkConnecting,  // the network connect runs
        NothingToOpen,      // no way to connect; the box was shown
    };
    struct Item {
        int id;
        QString text;
    };

    Kind kind = Kind::Ignored;
    std::vector<Item> menu;
};
