#include "tools/simulator/SimPath.h"

const char* SimPathName(CSimPath path)
{
    switch (path) {
    case CSimPath::Usb:
        return "usb";
    case CSimPath::Network:
        return "net";
    case CSimPath::Serial:
        return "serial";
    }
    return "?";
}
