#pragma once
// The system's size metrics, fixed at the values of the standard scheme at
// 96 DPI, so that no layout depends on the desktop theme.
enum : int {
    SM_CXBORDER = 5,   // a thin border: 1 pixel
    SM_CYBORDER = 6,
    SM_CYMENU = 15,    // a menu bar's row: 20 pixels
    SM_CXEDGE = 45,    // a three-dimensional edge: 2 pixels
    SM_CYEDGE = 46,
};

// The metric's size in pixels; 0 for an index not listed above.
int GetSystemMetrics(int index);
