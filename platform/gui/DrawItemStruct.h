#pragma once
// The record an owner-drawn control hands to the code that draws one of its
// items: which control and item, what to draw, the item's state, where, and
// the painter to draw with (valid only during the call).
#include <cstdint>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class QPainter;
class QWidget;

// Control types.
enum : UINT {
    ODT_MENU = 1,
    ODT_BUTTON = 4,
    ODT_STATIC = 5,
    ODT_HEADER = 100,
    ODT_TAB = 101,
    ODT_LISTVIEW = 102,
};

// Drawing actions.
enum : UINT {
    ODA_DRAWENTIRE = 0x1,
    ODA_SELECT = 0x2,
    ODA_FOCUS = 0x4,
};

// Item states.
enum : UINT {
    ODS_SELECTED = 0x01,
    ODS_GRAYED = 0x02,
    ODS_DISABLED = 0x04,
    ODS_CHECKED = 0x08,
    ODS_FOCUS = 0x10,
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    QWidget* hwndItem = nullptr;
    QPainter* hDC = nullptr;
    CRect rcItem;
    std::uintptr_t itemData = 0;
};
typedef DRAWITEMSTRUCT* LPDRAWITEMSTRUCT;

// The record an owner-drawn control fills to ask its items' height.
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    std::uintptr_t itemData = 0;
};
typedef MEASUREITEMSTRUCT* LPMEASUREITEMSTRUCT;
