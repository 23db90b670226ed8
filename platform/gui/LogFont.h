#pragma once
// A font described the way the old platform stores it, so that controls can
// copy, compare and change a font's description (height, weight, face) and
// make a font from it through CreateFont. Heights count pixels at 96 DPI as
// CreateFont's do: positive is the cell height, negative the character height.
#include <optional>

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/core/Types.h"

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    QString lfFaceName;

    bool operator==(const LOGFONT& other) const;
    bool operator!=(const LOGFONT& other) const { return !(*this == other); }
};

// The font a LOGFONT describes, or nothing when it cannot be made (see
// SetFontCreationHook). An empty face means Arial.
std::optional<QFont> CreateFontIndirect(const LOGFONT& lf);

// The description of a font: what the old platform reads back from a font
// object. A font CreateFont made from a cell height gives that height back;
// any other font its negative pixel size, which makes the same font.
LOGFONT LogFontFromFont(const QFont& font);

// The font a LOGFONT describes whose height is a point size in tenths of a
// point: at 96 DPI a character height of MulDiv(tenths, 96, 720) pixels (100
// gives 13). Nothing when it cannot be made.
std::optional<QFont> CreatePointFontIndirect(const LOGFONT& lf);

// The stand-ins of the system's stock fonts. The old system font is a bold
// sans of cell height 16; the default GUI font a regular sans of cell
// height 13. Liberation Sans stands in for the system's faces.
LOGFONT SystemFontLogFont();
LOGFONT DefaultGuiFontLogFont();

// COLORREF and QColor, both ways (alpha ignored).
QColor ToQColor(COLORREF colour);
COLORREF ToColorRef(const QColor& colour);
