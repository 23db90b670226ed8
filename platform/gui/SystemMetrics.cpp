#include "platform/gui/SystemMetrics.h"

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CYMENU:
        return 20;
    default:
        return 0;
    }
}
