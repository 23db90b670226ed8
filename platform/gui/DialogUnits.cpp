#include "platform/gui/DialogUnits.h"

#include <cstdlib>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>

#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"

int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const long long rounded = product >= 0 ? product + half : product - half;
    return static_cast<int>(rounded / c);
}

namespace {

// The templates were laid out with Windows' metrics. At 11 pixels (8
// points at 96 DPI) Windows gives Arial a cell of 14 pixels, its hinted
// glyphs reaching past the nominal ascent and descent, where the fonts that
// stand in for it here report 12: the main form's page area would end 78
// pixels above the output strips that stand below it, and the delay panel
// placed at the foot of the output page would be cut off.
int WindowsCellHeight(const QFont& font, int measured)
{
    if (font.family().compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 && font.pixelSize() == 11)
        return 14;
    return measured;
}

}  // namespace

QSize DialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, WindowsCellHeight(font, metrics.height()));
}

CRect MapDialogRect(const CRect& du, const QFont& font)
{
    const QSize base = DialogBaseUnits(font);
    return CRect(MulDiv(du.left, base.width(), 4), MulDiv(du.top, base.height(), 8),
                 MulDiv(du.right, base.width(), 4), MulDiv(du.bottom, base.height(), 8));
}

QFont DialogFont(const QString& face, int points)
{
    // A point is 96/72 pixels; the size names the character height.
    QFont fallback(face);
    fallback.setPixelSize(MulDiv(points, 96, 72));
    return CreateFont(-MulDiv(points, 96, 72), FW_NORMAL, face).value_or(fallback);
}

void ApplyFixedDpiPolicy()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", "1");
    qputenv("QT_FONT_DPI", "96");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

QWidget* PlaceDialogControl(QWidget* control, QWidget* parent, const CRect& dialogUnits, const QFont& font, int id)
{
    control->setParent(parent);
    control->setFont(font);
    control->setGeometry(MapDialogRect(dialogUnits, font).ToQRect());
    SetDlgCtrlID(control, id);
    return control;
}
