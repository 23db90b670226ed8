#pragma once
// Window style bits of buttons, static controls, edits, combo boxes,
// progress bars and tab controls, the extended window styles, as the dialog
// templates give them, and the show commands.
#include "platform/core/Types.h"

// Button types (low byte) and caption alignment.
enum : DWORD {
    BS_PUSHBUTTON = 0x0,
    BS_DEFPUSHBUTTON = 0x1,
    BS_CHECKBOX = 0x2,
    BS_AUTOCHECKBOX = 0x3,
    BS_RADIOBUTTON = 0x4,
    BS_3STATE = 0x5,
    BS_AUTO3STATE = 0x6,
    BS_GROUPBOX = 0x7,
    BS_USERBUTTON = 0x8,
    BS_AUTORADIOBUTTON = 0x9,
    BS_OWNERDRAW = 0xB,
    BS_TYPEMASK = 0xF,
    BS_LEFT = 0x100,
    BS_RIGHT = 0x200,
    BS_CENTER = 0x300,
    BS_TOP = 0x400,
    BS_BOTTOM = 0x800,
    BS_VCENTER = 0xC00,
    BS_FLAT = 0x8000,
};

// Static control styles.
enum : DWORD {
    SS_LEFT = 0x0,
    SS_CENTER = 0x1,
    SS_RIGHT = 0x2,
    SS_NOPREFIX = 0x80,
    SS_NOTIFY = 0x100,
    SS_CENTERIMAGE = 0x200,
    SS_ENDELLIPSIS = 0x4000,
    SS_PATHELLIPSIS = 0x8000,
    SS_WORDELLIPSIS = 0xC000,
};

// Window styles.
enum : DWORD {
    WS_GROUP = 0x00020000,  // the first control of a dialog group
    WS_TABSTOP = 0x00010000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_BORDER = 0x00800000,
    WS_VISIBLE = 0x10000000,
    WS_CHILD = 0x40000000,
};

// Edit control styles: alignment of the text, scrolling while typing.
enum : DWORD {
    ES_LEFT = 0x0,
    ES_CENTER = 0x1,
    ES_RIGHT = 0x2,
    ES_AUTOHSCROLL = 0x80,
};

// Combo box types (the low two style bits) and styles.
enum : DWORD {
    CBS_SIMPLE = 0x1,
    CBS_DROPDOWN = 0x2,      // an edit field with a drop-down list
    CBS_DROPDOWNLIST = 0x3,  // a drop-down list only
    CBS_AUTOHSCROLL = 0x40,
};

// Show commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOW = 5,
};

// Progress bar styles.
enum : DWORD {
    PBS_VERTICAL = 0x04,
};

// Tab control styles.
enum : DWORD {
    TCS_RAGGEDRIGHT = 0x0800,
    TCS_OWNERDRAWFIXED = 0x2000,
};

// Extended window styles (GetWindowExStyle). The edges they name take room
// at the window's border.
enum : DWORD {
    WS_EX_DLGMODALFRAME = 0x00000001,
    WS_EX_CLIENTEDGE = 0x00000200,
    WS_EX_STATICEDGE = 0x00020000,
};

// How a button whose class draws it takes its template's button type (the
// low four style bits): types with (type & 3) == 3 keep the default look,
// those with (type & 9) == 9 are not drawn, every other type is drawn by the
// class (which adds BS_OWNERDRAW to the style).
enum : int {
    DRAW_BY_CLASS = 0,
    DRAW_AS_DEFAULT = 2,
    DRAW_NOTHING = 4,
};
constexpr int DrawKindOfButtonType(DWORD style)
{
    return (style & 3) == 3 ? DRAW_AS_DEFAULT : (style & 9) == 9 ? DRAW_NOTHING : DRAW_BY_CLASS;
}
