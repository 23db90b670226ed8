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

QSize DialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((letters / 26 + 1) / 2, metrics.height());
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
