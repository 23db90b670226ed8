#include "platform/gui/LogFont.h"

#include <cstdlib>
#include <tuple>

#include <QFontInfo>

#include "platform/gui/DialogUnits.h"
#include "platform/gui/Fonts.h"

namespace {
auto Fields(const LOGFONT& f)
{
    return std::tie(f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                    f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily,
                    f.lfFaceName);
}

LOGFONT StockFont(LONG height, LONG weight)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfFaceName = QStringLiteral("Liberation Sans");
    return lf;
}
}  // namespace

bool LOGFONT::operator==(const LOGFONT& other) const
{
    return Fields(*this) == Fields(other);
}

std::optional<QFont> CreateFontIndirect(const LOGFONT& lf)
{
    const QString face = lf.lfFaceName.isEmpty() ? QStringLiteral("Arial") : lf.lfFaceName;
    std::optional<QFont> font = CreateFont(lf.lfHeight, lf.lfWeight, face);
    if (font) {
        font->setItalic(lf.lfItalic != 0);
        font->setUnderline(lf.lfUnderline != 0);
        font->setStrikeOut(lf.lfStrikeOut != 0);
    }
    return font;
}

LOGFONT LogFontFromFont(const QFont& font)
{
    LOGFONT lf;
    lf.lfFaceName = font.family();
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const int cell = CellHeightOfFont(font);
    lf.lfHeight = cell > 0 ? cell : -(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize());
    return lf;
}

std::optional<QFont> CreatePointFontIndirect(const LOGFONT& lf)
{
    LOGFONT pixels = lf;
    pixels.lfHeight = -std::abs(MulDiv(lf.lfHeight, 96, 720));
    return CreateFontIndirect(pixels);
}

LOGFONT SystemFontLogFont()
{
    return StockFont(16, FW_BOLD);
}

LOGFONT DefaultGuiFontLogFont()
{
    return StockFont(13, FW_NORMAL);
}

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ToColorRef(const QColor& colour)
{
    return RGB(BYTE(colour.red()), BYTE(colour.green()), BYTE(colour.blue()));
}
