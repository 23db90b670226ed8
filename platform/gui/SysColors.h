#pragma once
// The classic system colours, fixed, so that no pixel of a control depends
// on the Qt style or the desktop theme.
#include <functional>
#include <optional>

#include <QColor>

enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_3DFACE = COLOR_BTNFACE,
    COLOR_3DSHADOW = COLOR_BTNSHADOW,
    COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
    SYS_COLOR_COUNT = 25,
};

// The colour of an index above; black for an unknown index.
QColor GetSysColor(int index);

// Stands for a change of the system's colour scheme: tests install a hook
// that answers some indexes with other colours (nothing keeps the table).
// Returns the previous hook; an empty hook restores the fixed table. The
// windows that follow the scheme learn of a change from the application's
// palette-change event.
using SysColorHook = std::function<std::optional<QColor>(int index)>;
SysColorHook SetSysColorHook(SysColorHook hook);
