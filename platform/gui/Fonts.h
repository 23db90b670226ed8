#pragma once
// Fonts made the way the old platform describes them. Its heights count
// pixels at 96 DPI: a positive height is the character cell (ascent plus
// descent, internal leading included), a negative one the character height
// alone (Qt's pixel size). The cell height is matched by measuring, so a
// font "of height 14" renders 14-pixel lines, not 14-pixel letters.
#include <functional>
#include <optional>

#include <QFont>
#include <QString>

enum : int {
    FW_DONTCARE = 0,
    FW_NORMAL = 400,
    FW_BOLD = 700,
    FW_HEAVY = 900,  // the heaviest weight a font has
};

// The font, or nothing when it cannot be made. weight 0 means normal; a
// weight above the heaviest is clamped to it. height 0 keeps the default
// size.
std::optional<QFont> CreateFont(int height, int weight, const QString& face = QStringLiteral("Arial"));

// The cell height CreateFont made this font from (italic, underline and
// strike-out aside), or 0 for a font it did not make from a cell height.
int CellHeightOfFont(const QFont& font);

// The largest Qt pixel size whose cell height is at most cellHeight (at
// least 1).
int PixelSizeForCellHeight(const QString& face, int cellHeight, int weight);

// Decides whether a font can be made: Qt fonts never fail by themselves, so
// tests install a hook that refuses some. Returns the previous hook; an
// empty hook lets every font be made.
using FontCreationHook = std::function<bool(int height, int weight, const QString& face)>;
FontCreationHook SetFontCreationHook(FontCreationHook hook);
