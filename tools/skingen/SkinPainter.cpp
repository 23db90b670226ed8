#include "tools/skingen/SkinPainter.h"

#include <algorithm>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
// The palette.
const QColor kAccent(0xFF, 0x66, 0x00);
const QColor kSlateTop(0x46, 0x4E, 0x60);
const QColor kSlateBottom(0x36, 0x3D, 0x4C);
const QColor kHoverTop(0x52, 0x5B, 0x70);
const QColor kHoverBottom(0x41, 0x49, 0x5B);
const QColor kDownTop(0x2A, 0x30, 0x3C);
const QColor kDownBottom(0x33, 0x3A, 0x48);
const QColor kFaceBorder(0x23, 0x28, 0x33);
const QColor kDisabledTop(0x95, 0x9B, 0xA7);
const QColor kDisabledBottom(0x8A, 0x90, 0x9C);
const QColor kDisabledBorder(0x7C, 0x82, 0x90);
const QColor kPanelTop(0xEE, 0xEF, 0xF5);
const QColor kPanelBottom(0xE3, 0xE4, 0xEE);  // the dialogs' background brush
const QColor kPanelBorder(0xB4, 0xB8, 0xCB);
const QColor kLabel(0xDC, 0xDC, 0xDC);
const QColor kLabelHover(0xFF, 0xFF, 0xFF);
const QColor kLabelDisabled(0xD2, 0xD2, 0xD2);

QFont LabelFont(const SkinEntry& e, int maxPixels)
{
    QFont font;
    if (e.language == QLatin1String("cn"))
        font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Arial")});
    else
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(std::clamp(e.height * 13 / 20, 9, maxPixels));
    font.setWeight(e.language == QLatin1String("cn") ? QFont::Normal : QFont::DemiBold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawLabel(QPainter& p, const SkinEntry& e, const QRect& area, const QColor& fallback, int maxPixels = 13)
{
    if (e.label.isEmpty())
        return;
    p.setFont(LabelFont(e, maxPixels));
    p.setPen(e.text.isValid() ? e.text : fallback);
    p.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, e.label);
}

QLinearGradient Vertical(int height, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A square button face with a one-pixel border and a fine inner bevel.
void DrawFace(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const QString& k = e.kind;
    QColor top = kSlateTop, bottom = kSlateBottom, border = kFaceBorder, label = kLabel;
    if (k == QLatin1String("hover") || k == QLatin1String("on-hover")) {
        top = kHoverTop;
        bottom = kHoverBottom;
        label = kLabelHover;
    } else if (k == QLatin1String("down")) {
        top = kDownTop;
        bottom = kDownBottom;
        label = kAccent;
    } else if (k == QLatin1String("disabled")) {
        top = kDisabledTop;
        bottom = kDisabledBottom;
        border = kDisabledBorder;
        label = kLabelDisabled;
    }
    if (k == QLatin1String("on") || k == QLatin1String("on-hover"))
        label = kAccent;
    if (e.face.isValid()) {
        top = e.face.lighter(112);
        bottom = e.face.darker(108);
    }
    p.fillRect(0, 0, w, h, Vertical(h, top, bottom));
    // Bevel: light along the top inside the border, dark along the top when
    // pressed.
    const bool sunk = k == QLatin1String("down");
    p.setPen(sunk ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 40));
    p.drawLine(1, 1, w - 2, 1);
    p.setPen(border);
    p.drawRect(0, 0, w - 1, h - 1);

    // The accent: a bar along the bottom edge for hover and pressed, and a
    // full-width bar plus an accent label for lit (on) faces.
    const int bar = std::max(2, h / 8);
    if (k == QLatin1String("hover") || k == QLatin1String("down"))
        p.fillRect(1, h - 1 - bar, w - 2, bar, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 160));
    if (k == QLatin1String("on") || k == QLatin1String("on-hover"))
        p.fillRect(1, h - 1 - bar, w - 2, bar, kAccent);

    const QRect area(1, sunk ? 2 : 1, w - 2, h - 2 - bar);
    DrawLabel(p, e, area, label);
}

// A light face with a status lamp at its left; the caption is drawn by the
// button beside the lamp.
void DrawLamp(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    p.fillRect(0, 0, w, h, Vertical(h, QColor(0xDA, 0xDC, 0xE7), QColor(0xCE, 0xD1, 0xDE)));
    p.setPen(QColor(0xA7, 0xAB, 0xBE));
    p.drawRect(0, 0, w - 1, h - 1);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(std::min(25.0, h * 0.8), h / 2.0);
    const double r = std::max(3.0, h * 0.26);
    const bool lit = e.kind == QLatin1String("lamp-on");
    if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 60));
        p.drawEllipse(centre, r + 3, r + 3);
    }
    p.setPen(QPen(lit ? kAccent.darker(130) : QColor(0x80, 0x86, 0x92), 1));
    p.setBrush(lit ? kAccent : QColor(0xA4, 0xA9, 0xB4));
    p.drawEllipse(centre, r, r);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawLabel(p, e, QRect(int(centre.x() + r + 6), 0, w, h), QColor(0x0E, 0x0E, 0x8B));
}

// A light panel; with a label, a slate title band across its top.
void DrawPanel(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const QColor top = e.face.isValid() ? e.face.lighter(104) : kPanelTop;
    const QColor bottom = e.face.isValid() ? e.face : kPanelBottom;
    p.fillRect(0, 0, w, h, Vertical(h, top, bottom));
    p.setPen(kPanelBorder);
    p.drawRect(0, 0, w - 1, h - 1);
    if (!e.label.isEmpty()) {
        const int band = std::min(18, h / 4);
        p.fillRect(1, 1, w - 2, band, Vertical(band, kSlateTop, kSlateBottom));
        p.fillRect(1, 1 + band, w - 2, 1, kAccent);
        SkinEntry title = e;
        title.height = band;
        DrawLabel(p, title, QRect(1, 1, w - 2, band), QColor(0xE8, 0xE9, 0xEF), 12);
    }
}

// A rounded slate chip with an accent rim; transparent around it.
void DrawBadge(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const double radius = std::min(h, w) / 2.0 - 0.5;
    path.addRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), radius, radius);
    p.fillPath(path, Vertical(h, e.face.isValid() ? e.face.lighter(112) : kSlateTop,
                              e.face.isValid() ? e.face : kSlateBottom));
    p.setPen(QPen(kAccent, 1));
    p.drawPath(path);
    DrawLabel(p, e, QRect(0, 0, w, h), kLabel);
}
}  // namespace

QImage DrawSkin(const SkinEntry& e)
{
    const bool png = e.type == QLatin1String("PNG");
    QImage image(e.width, e.height, png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(png ? QColor(Qt::transparent) : kPanelBottom);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (e.kind.startsWith(QLatin1String("lamp")))
        DrawLamp(p, e);
    else if (e.kind == QLatin1String("panel"))
        DrawPanel(p, e);
    else if (e.kind == QLatin1String("badge"))
        DrawBadge(p, e);
    else
        DrawFace(p, e);
    p.end();
    return image;
}
