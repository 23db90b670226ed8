#pragma once
// The standard window messages and notification codes that controls send to
// their parents, with the packing helpers of their parameters. The program's
// own message ids live in model/WindowMessages.h.
#include "platform/core/Types.h"

enum : UINT {
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
};

// Progress bar messages.
enum : UINT {
    PBM_SETPOS = 0x0402,  // wParam: the new position; the bar repaints
};

// Button notification codes (high word of a WM_COMMAND wParam).
enum : UINT {
    BN_CLICKED = 0,
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
