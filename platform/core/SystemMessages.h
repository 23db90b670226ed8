#pragma once
// The standard window messages and notification codes that controls send to
// their parents, with the packing helpers of their parameters. The program's
// own message ids live in model/WindowMessages.h.
#include <QString>

#include "platform/core/Types.h"

class QWidget;

enum : UINT {
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_SETFONT = 0x0030,
    WM_GETFONT = 0x0031,
    WM_NOTIFY = 0x004E,
    WM_GETDLGCODE = 0x0087,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_DEVICECHANGE = 0x0219,
};

// Progress bar messages.
enum : UINT {
    PBM_SETPOS = 0x0402,  // wParam: the new position; the bar repaints
};

// Button messages, sent to a button that keeps its own check state.
enum : UINT {
    BM_GETCHECK = 0x00F0,  // returns the check state
    BM_SETCHECK = 0x00F1,  // wParam: the new check state
    BM_SETSTATE = 0x00F3,  // wParam: non-zero shows the button pushed
};

// System commands (wParam of WM_SYSCOMMAND) that the program's own buttons
// send to the main window.
enum : UINT {
    SC_MINIMIZE = 0xF020,
    SC_CLOSE = 0xF060,
};

// The standard edit commands (low word of a WM_COMMAND wParam).
enum : UINT {
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
};

// Button notification codes (high word of a WM_COMMAND wParam).
enum : UINT {
    BN_CLICKED = 0,
};

// Edit notification codes (high word of a WM_COMMAND wParam).
enum : UINT {
    EN_KILLFOCUS = 0x0200,
    EN_CHANGE = 0x0300,
};

// Combo box notification codes (high word of a WM_COMMAND wParam): the user
// picked another item.
enum : UINT {
    CBN_SELCHANGE = 1,
};

// Scroll bars (SB_HORZ, SB_VERT) and the request codes in the low word of a
// WM_HSCROLL or WM_VSCROLL wParam; the high word carries a thumb position.
enum : UINT {
    SB_HORZ = 0,
    SB_VERT = 1,
};
enum : UINT {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// Answers to WM_GETDLGCODE: the keys a control takes from the dialog.
enum : UINT {
    DLGC_WANTARROWS = 0x0001,
    DLGC_WANTTAB = 0x0002,
    DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTCHARS = 0x0080,
};

// Virtual-key codes (wParam of WM_KEYDOWN); letters and digits are their
// upper-case ASCII codes.
enum : UINT {
    VK_LBUTTON = 0x01,
    VK_RBUTTON = 0x02,
    VK_MBUTTON = 0x04,
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
    VK_F12 = 0x7B,
};

// The header every WM_NOTIFY record starts with; lParam of WM_NOTIFY is its
// address, valid only during the send.
struct NMHDR {
    QWidget* hwndFrom = nullptr;  // the control that notifies
    std::uintptr_t idFrom = 0;    // its control id
    UINT code = 0;
};

// Notification codes of WM_NOTIFY (negative numbers, carried unsigned).
enum : UINT {
    NM_CLICK = UINT(-2),
    NM_DBLCLK = UINT(-3),
    NM_CUSTOMDRAW = UINT(-12),
    LVN_ITEMCHANGING = UINT(-100),
    LVN_ITEMCHANGED = UINT(-101),
    LVN_DELETEITEM = UINT(-103),
    LVN_BEGINLABELEDITA = UINT(-105),
    LVN_ENDLABELEDITA = UINT(-106),
    LVN_BEGINDRAG = UINT(-109),
    // A header asks before the user drags a column divider; an answer of
    // TRUE keeps the column's width.
    HDN_BEGINTRACKA = UINT(-306),
    HDN_BEGINTRACKW = UINT(-326),
    // An address control's field was left or filled (NMIPADDRESS).
    IPN_FIELDCHANGED = UINT(-860),
};

// Mouse key flags (wParam of mouse messages).
enum : UINT {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

constexpr WPARAM MAKEWPARAM(UINT low, UINT high) { return WPARAM((low & 0xFFFF) | ((high & 0xFFFF) << 16)); }
constexpr UINT LOWORD(WPARAM value) { return UINT(value & 0xFFFF); }
constexpr UINT HIWORD(WPARAM value) { return UINT((value >> 16) & 0xFFFF); }

// WM_DEVICECHANGE: wParam the event, lParam a DeviceInterfaceNotice* (or 0)
// that lives for the call only.
enum : UINT {
    DBT_DEVICEARRIVAL = 0x8000,
    DBT_DEVICEREMOVECOMPLETE = 0x8004,
    DBT_DEVTYP_DEVICEINTERFACE = 5,
};

// What arrived or went: a device interface and its path.
struct DeviceInterfaceNotice {
    UINT deviceType = DBT_DEVTYP_DEVICEINTERFACE;
    QString path;
};
