#include "tools/skingen/SkinPainter.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

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
    QFont font = LabelFont(e, maxPixels);
    // A label wider than its area shrinks until it fits (or reaches 7 px).
    while (font.pixelSize() > 7 && QFontMetrics(font).horizontalAdvance(e.label) > area.width() - 2)
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
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

// The main window's background: a slate title band across the top (the
// menu and command buttons stand on it) with the label as title, the light
// page area, and a darker band at the bottom behind the strips.
constexpr int kWindowBand = 50;
constexpr int kWindowFooter = 508;

void DrawWindowFrame(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    p.fillRect(0, 0, w, h, Vertical(h, kPanelTop, kPanelBottom));
    p.fillRect(0, 0, w, kWindowBand, Vertical(kWindowBand, kSlateTop, kSlateBottom));
    p.fillRect(0, kWindowBand, w, 2, kAccent);
    if (h > kWindowFooter) {
        p.fillRect(0, kWindowFooter, w, h - kWindowFooter, Vertical(h - kWindowFooter, kPanelBottom, kPanelBorder));
        p.fillRect(0, kWindowFooter, w, 1, kPanelBorder.darker(115));
    }
    p.setPen(kFaceBorder);
    p.drawRect(0, 0, w - 1, h - 1);
}

void DrawWindow(QPainter& p, const SkinEntry& e)
{
    DrawWindowFrame(p, e);
    SkinEntry title = e;
    title.height = 30;
    DrawLabel(p, title, QRect(0, 0, e.width, 28), QColor(0xE8, 0xE9, 0xEF), 16);
}

// A large notice centred on a light area: the locked data.
void DrawNotice(QPainter& p, const SkinEntry& e, const QRect& area)
{
    p.save();
    p.setPen(QPen(kPanelBorder, 1));
    for (int x = area.left() - area.height(); x < area.right(); x += 14)
        p.drawLine(x, area.bottom(), x + area.height(), area.top());
    const QRect box(area.center().x() - 180, area.center().y() - 36, 360, 72);
    p.fillRect(box, Vertical(box.height(), kSlateTop, kSlateBottom));
    p.fillRect(box.left(), box.bottom() - 3, box.width(), 4, kAccent);
    SkinEntry notice = e;
    notice.height = 44;
    DrawLabel(p, notice, box, kAccent, 28);
    p.restore();
}

void DrawWindowLocked(QPainter& p, const SkinEntry& e)
{
    DrawWindowFrame(p, e);
    DrawNotice(p, e, QRect(1, kWindowBand + 2, e.width - 2, std::min(e.height, kWindowFooter) - kWindowBand - 3));
}

void DrawCover(QPainter& p, const SkinEntry& e)
{
    p.fillRect(0, 0, e.width, e.height, Vertical(e.height, kPanelTop, kPanelBottom));
    DrawNotice(p, e, QRect(0, 0, e.width, e.height));
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
// The key colour of a fader thumb: its four corner pixels, found nowhere
// else in it. Drawn opaque, it passes for the dark track around the thumb;
// drawn keyed, the corners vanish.
const QColor kThumbKey(0x2B, 0x30, 0x3C);
const QColor kTrackTop(0x3A, 0x41, 0x51);
const QColor kTrackBottom(0x2F, 0x35, 0x43);
const QColor kGroove(0x12, 0x15, 0x1C);

// A fader channel: a dark panel with a groove along the travel and ticks
// beside it; lit, the groove glows in the accent colour. A label, when
// given, is the groove's centre across the travel in pixels (the middle
// otherwise).
void DrawTrack(QPainter& p, const SkinEntry& e, bool lit)
{
    const int w = e.width, h = e.height;
    const bool vertical = h >= w;
    const int across = vertical ? w : h;
    const int along = vertical ? h : w;
    bool numeric = false;
    const int labelled = e.label.toInt(&numeric);
    const int centre = numeric ? labelled : across / 2;
    const QColor top = e.face.isValid() ? e.face.lighter(115) : kTrackTop;
    const QColor bottom = e.face.isValid() ? e.face : kTrackBottom;
    QLinearGradient shade(0, 0, vertical ? w : 0, vertical ? 0 : h);
    shade.setColorAt(0, top);
    shade.setColorAt(1, bottom);
    p.fillRect(0, 0, w, h, shade);
    p.setPen(kFaceBorder);
    p.drawRect(0, 0, w - 1, h - 1);

    // Ticks every eighth of the travel, on both sides of the groove, where
    // the track is wide enough to hold them beside a thumb.
    const int ends = std::max(3, along / 16);
    p.setPen(QColor(0x8A, 0x92, 0xA4));
    for (int i = 0; across >= 24 && i <= 8; ++i) {
        const int at = ends + (along - 2 * ends - 1) * i / 8;
        const int reach = i % 4 == 0 ? 5 : 3;
        for (int side : {-1, 1}) {
            const int from = centre + side * 4, to = centre + side * (4 + reach);
            if (vertical)
                p.drawLine(from, at, to, at);
            else
                p.drawLine(at, from, at, to);
        }
    }
    // The groove, 3 pixels wide, with a fine highlight on one side.
    const QColor fill = lit ? (e.text.isValid() ? e.text : kAccent) : kGroove;
    const QRect groove = vertical ? QRect(centre - 1, ends, 3, along - 2 * ends)
                                  : QRect(ends, centre - 1, along - 2 * ends, 3);
    p.fillRect(groove, fill);
    p.setPen(QColor(255, 255, 255, 45));
    if (vertical)
        p.drawLine(groove.right() + 1, groove.top(), groove.right() + 1, groove.bottom());
    else
        p.drawLine(groove.left(), groove.bottom() + 1, groove.right(), groove.bottom() + 1);
}

// A fader thumb: a metal cap with grip lines and a centre line across the
// travel (accent when active, grey when greyed); its corners carry the key
// colour. The label "h" marks a thumb of a horizontal fader.
void DrawKnob(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const bool vertical = e.label != QLatin1String("h");
    const bool off = e.kind == QLatin1String("knob-off");
    const bool on = e.kind == QLatin1String("knob-on");
    QColor light(0xE4, 0xE7, 0xEE), dark(0xA9, 0xB0, 0xBE);
    if (off) {
        light = QColor(0xB9, 0xBC, 0xC3);
        dark = QColor(0x96, 0x9A, 0xA3);
    }
    if (e.face.isValid()) {
        light = e.face.lighter(125);
        dark = e.face;
    }
    QLinearGradient metal(0, 0, vertical ? 0 : w, vertical ? h : 0);
    metal.setColorAt(0, light);
    metal.setColorAt(0.5, dark);
    metal.setColorAt(1, light.darker(110));
    p.fillRect(0, 0, w, h, metal);
    p.setPen(QColor(0x4A, 0x51, 0x61));
    p.drawRect(0, 0, w - 1, h - 1);
    // Grip lines and the centre line across the cap.
    const QColor grip(0x6E, 0x75, 0x84);
    const QColor mark = on ? kAccent : off ? QColor(0x7E, 0x82, 0x8B) : QColor(0x1E, 0x22, 0x2B);
    // Small caps carry the centre line alone.
    if (std::min(w, h) < 14)
        p.setPen(Qt::NoPen);
    if (vertical) {
        const int mid = h / 2;
        if (std::min(w, h) >= 14)
            p.setPen(grip);
        for (int d : {-6, -3, 3, 6})
            if (mid + d > 1 && mid + d < h - 2)
                p.drawLine(2, mid + d, w - 3, mid + d);
        p.fillRect(1, mid - 1, w - 2, 2, mark);
    } else {
        const int mid = w / 2;
        if (std::min(w, h) >= 14)
            p.setPen(grip);
        for (int d : {-5, -3, 3, 5})
            if (mid + d > 1 && mid + d < w - 2)
                p.drawLine(mid + d, 2, mid + d, h - 3);
        p.fillRect(mid - 1, 1, 2, h - 2, mark);
    }
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
        p.setPen(kThumbKey);
        p.drawPoint(corner);
    }
}

// A drop-list button's face: a slate face, its right 20 pixels holding a
// down arrow behind a fine divider; the text is the button's.
void DrawDropFace(QPainter& p, const SkinEntry& e)
{
    SkinEntry face = e;
    face.kind = e.kind == QLatin1String("drop-hover") ? QStringLiteral("hover") : QStringLiteral("normal");
    face.label.clear();
    DrawFace(p, face);
    const int w = e.width, h = e.height;
    p.setPen(QColor(0x23, 0x28, 0x33));
    p.drawLine(w - 20, 3, w - 20, h - 4);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(w - 19, 3, w - 19, h - 4);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(w - 10.0, h / 2.0);
    QPainterPath arrow;
    arrow.moveTo(c.x() - 4, c.y() - 2);
    arrow.lineTo(c.x() + 4, c.y() - 2);
    arrow.lineTo(c.x(), c.y() + 3);
    arrow.closeSubpath();
    p.fillPath(arrow, e.kind == QLatin1String("drop-hover") ? kAccent : kLabel);
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A loudspeaker seen from the front, on a transparent ground: a slate
// basket, a cone and a dust cap; hover rims it in the accent colour, on
// lights the cone.
void DrawSpeaker(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const bool hover = e.kind == QLatin1String("speaker-hover");
    const bool on = e.kind == QLatin1String("speaker-on");
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(w / 2.0, h / 2.0);
    const double r = std::min(w, h) / 2.0 - 1.5;
    if (on || hover) {
        // A soft glow around the basket.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), on ? 90 : 50));
        p.drawEllipse(c, r + 1.0, r + 1.0);
    }
    p.setPen(QPen(hover || on ? kAccent : kFaceBorder, 1.5));
    p.setBrush(Vertical(h, kSlateTop, kSlateBottom));
    p.drawEllipse(c, r - 1.0, r - 1.0);
    QRadialGradient cone(c, r * 0.72);
    cone.setColorAt(0, on ? kAccent.lighter(130) : QColor(0x6B, 0x74, 0x88));
    cone.setColorAt(1, on ? kAccent.darker(140) : QColor(0x22, 0x27, 0x31));
    p.setPen(QPen(QColor(0x15, 0x18, 0x1F), 1));
    p.setBrush(cone);
    p.drawEllipse(c, r * 0.72, r * 0.72);
    p.setBrush(on ? kAccent : QColor(0x8D, 0x95, 0xA7));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r * 0.22, r * 0.22);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!e.label.isEmpty())
        DrawLabel(p, e, QRect(0, int(c.y() + r * 0.25), w, int(r * 0.7)), kLabel, 10);
}

// A mute button's face: a slate face (hover lighter) with a small
// loudspeaker and its sound waves; the muted kinds put the loudspeaker,
// crossed out, on a blue face.
void DrawSoundFace(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const bool muted = e.kind.startsWith(QLatin1String("sound-muted"));
    const bool hover = e.kind.endsWith(QLatin1String("-hover"));
    SkinEntry face = e;
    face.kind = hover ? QStringLiteral("hover") : QStringLiteral("normal");
    face.label.clear();
    if (muted && !face.face.isValid())
        face.face = hover ? QColor(0x2F, 0x6B, 0xC4) : QColor(0x24, 0x58, 0xA6);
    DrawFace(p, face);

    const QColor ink = hover ? kLabelHover : kLabel;
    const double u = (h - 3) / 10.0;  // the glyph's unit: 10 units high
    const double x0 = w / 2.0 - 5.5 * u, y0 = 1.5;
    const auto at = [&](double x, double y) { return QPointF(x0 + x * u, y0 + y * u); };
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.moveTo(at(0, 3.5));
    body.lineTo(at(2, 3.5));
    body.lineTo(at(4.5, 1));
    body.lineTo(at(4.5, 9));
    body.lineTo(at(2, 6.5));
    body.lineTo(at(0, 6.5));
    body.closeSubpath();
    p.fillPath(body, ink);
    p.setPen(QPen(ink, std::max(1.0, u), Qt::SolidLine, Qt::RoundCap));
    if (muted) {
        p.drawLine(at(6.5, 3), at(10.5, 7));
        p.drawLine(at(6.5, 7), at(10.5, 3));
    } else {
        p.setBrush(Qt::NoBrush);
        for (double r : {2.0, 4.2})
            p.drawArc(QRectF(at(5 - r, 5 - r), QSizeF(2 * r * u, 2 * r * u)), -50 * 16, 100 * 16);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A step button's face over a read-only field: a slate face split into a
// down zone (left 2/11), a middle and an up zone (right 2/11), marked by
// short notches at the top and bottom edges (the caption the button draws
// runs across them), with a small arrow near each end. The lit kinds tint
// their zone and light its arrow; the lit middle carries a bar along its
// bottom, below the caption.
void DrawStepper(QPainter& p, const SkinEntry& e)
{
    const int w = e.width, h = e.height;
    const int downRight = int(w / 5.5), upLeft = int(w - w / 5.5);
    const bool down = e.kind == QLatin1String("stepper-down");
    const bool middle = e.kind == QLatin1String("stepper-middle");
    const bool up = e.kind == QLatin1String("stepper-up");
    p.fillRect(0, 0, w, h, Vertical(h, kSlateTop, kSlateBottom));
    const QColor tint(kAccent.red(), kAccent.green(), kAccent.blue(), 110);
    if (down)
        p.fillRect(1, 1, downRight - 1, h - 2, tint);
    if (up)
        p.fillRect(upLeft, 1, w - upLeft - 1, h - 2, tint);
    if (middle)
        p.fillRect(downRight + 2, h - 4, upLeft - downRight - 3, 2, kAccent);
    p.setPen(QColor(255, 255, 255, 40));
    p.drawLine(1, 1, w - 2, 1);
    p.setPen(QColor(0x8A, 0x92, 0xA4));
    for (int x : {downRight, upLeft}) {
        p.drawLine(x, 1, x, 3);
        p.drawLine(x, h - 4, x, h - 2);
    }
    p.setPen(kFaceBorder);
    p.drawRect(0, 0, w - 1, h - 1);
    // Small arrows hugging the ends point down (left) and up (right).
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::clamp(h / 6.0, 2.0, 4.0);
    for (int side : {-1, 1}) {
        const double tip = side < 0 ? 3.0 : w - 3.0;
        const double cy = h / 2.0;
        QPainterPath arrow;
        arrow.moveTo(tip, cy);
        arrow.lineTo(tip - side * s * 1.2, cy - s);
        arrow.lineTo(tip - side * s * 1.2, cy + s);
        arrow.closeSubpath();
        const bool lit = (side < 0 && down) || (side > 0 && up);
        p.fillPath(arrow, lit ? kLabelHover : QColor(0x9A, 0xA0, 0xAE));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}
// The level-and-delay page's background: a dark slate surface (its fields
// show white text on it) holding framed areas for the title, the master
// level, the input columns, the output columns and the car plan, with a car
// seen from above on the plan, front at the top. Laid out for a 1248-pixel
// width; the page shows the top 573 rows, the rest stays plain.
void DrawCarPlanFrame(QPainter& p, const QRectF& r, const QString& caption, const SkinEntry& e)
{
    QPainterPath frame;
    frame.addRoundedRect(r, 8, 8);
    p.fillPath(frame, QColor(0x2C, 0x32, 0x3E));
    p.setPen(QPen(QColor(0x55, 0x5E, 0x72), 1));
    p.drawPath(frame);
    if (caption.isEmpty())
        return;
    // The caption in the bottom right corner, clear of the controls.
    SkinEntry title = e;
    title.height = 18;
    QFont font = LabelFont(title, 11);
    font.setPixelSize(11);
    p.setFont(font);
    const QRectF text(r.left() + 10, r.bottom() - 22, r.width() - 20, 16);
    p.setPen(QColor(0xB8, 0xBE, 0xCC));
    p.drawText(text, Qt::AlignRight | Qt::AlignVCenter, caption);
    const double width = QFontMetricsF(font).horizontalAdvance(caption);
    p.setPen(kAccent);
    p.drawLine(QPointF(text.right() - width, text.bottom() + 1.5), QPointF(text.right(), text.bottom() + 1.5));
}

void DrawCarPlan(QPainter& p, const SkinEntry& e)
{
    const double k = e.width / 1248.0;
    const auto at = [k](double x, double y, double cx, double cy) { return QRectF(x * k, y * k, cx * k, cy * k); };
    const auto pt = [k](double x, double y) { return QPointF(x * k, y * k); };
    p.fillRect(0, 0, e.width, e.height, Vertical(e.height, QColor(0x3A, 0x41, 0x51), QColor(0x23, 0x28, 0x33)));
    p.setRenderHint(QPainter::Antialiasing);
    const bool cn = e.language == QLatin1String("cn");

    // The title, large, in the free corner at the top left.
    const QRectF head = at(8, 8, 298, 200);
    DrawCarPlanFrame(p, head, QString(), e);
    SkinEntry title = e;
    title.height = 40;
    QFont font = LabelFont(title, 26);
    font.setPixelSize(int(26 * k));
    p.setFont(font);
    p.setPen(QColor(0xEE, 0xEF, 0xF5));
    p.drawText(at(26, 46, 270, 44), Qt::AlignLeft | Qt::AlignVCenter, e.label);
    p.fillRect(at(26, 96, 60, 3), kAccent);
    font.setPixelSize(int(12 * k));
    p.setFont(font);
    p.setPen(QColor(0xA8, 0xAF, 0xBE));
    p.drawText(at(26, 108, 270, 20), Qt::AlignLeft | Qt::AlignVCenter,
               cn ? QStringLiteral("总音量 · 输入 · 输出 · 车内延时") : QStringLiteral("Master · Inputs · Outputs · Car delays"));

    DrawCarPlanFrame(p, at(314, 8, 130, 200), cn ? QStringLiteral("总音量") : QStringLiteral("MASTER"), e);
    DrawCarPlanFrame(p, at(452, 8, 788, 200), cn ? QStringLiteral("输入") : QStringLiteral("INPUTS"), e);
    DrawCarPlanFrame(p, at(462, 214, 778, 352), cn ? QStringLiteral("输出") : QStringLiteral("OUTPUTS"), e);
    DrawCarPlanFrame(p, at(8, 214, 446, 352), cn ? QStringLiteral("延时") : QStringLiteral("DELAY"), e);

    // The car, front up: wheels, body, windscreen, seats and rear window.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1A, 0x1E, 0x26));
    for (double y : {292.0, 470.0})
        for (double x : {84.0, 338.0})
            p.drawRoundedRect(at(x, y, 18, 48), 4, 4);
    const QRectF body = at(94, 244, 250, 312);
    QPainterPath shell;
    shell.addRoundedRect(body, 72 * k, 56 * k);
    p.fillPath(shell, Vertical(int(body.bottom()), QColor(0x4C, 0x55, 0x69), QColor(0x3C, 0x44, 0x55)));
    p.setPen(QPen(QColor(0x8A, 0x92, 0xA4), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shell);
    // A car window: a top edge, sides running in or out, a bottom edge;
    // each edge bows by `bow` at the middle.
    const auto carWindow = [&](double top, double bottom, double topHalf, double bottomHalf, double bow) {
        QPainterPath glass;
        glass.moveTo(pt(219 - topHalf, top));
        glass.quadTo(pt(219, top - bow), pt(219 + topHalf, top));
        glass.lineTo(pt(219 + bottomHalf, bottom));
        glass.quadTo(pt(219, bottom - bow / 2), pt(219 - bottomHalf, bottom));
        glass.closeSubpath();
        p.fillPath(glass, QColor(0x22, 0x27, 0x31));
        p.drawPath(glass);
    };
    carWindow(332, 366, 87, 71, 18);
    p.setPen(QPen(QColor(0x5E, 0x67, 0x7B), 1));
    p.setBrush(QColor(0x45, 0x4D, 0x60));
    for (double x : {150.0, 246.0})
        p.drawRoundedRect(at(x, 376, 42, 40), 6, 6);
    p.drawRoundedRect(at(150, 424, 138, 34), 6, 6);
    p.setPen(QPen(QColor(0x8A, 0x92, 0xA4), 1.5));
    p.setBrush(Qt::NoBrush);
    carWindow(466, 484, 69, 81, 6);
    p.setRenderHint(QPainter::Antialiasing, false);
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
    else if (e.kind.startsWith(QLatin1String("track")))
        DrawTrack(p, e, e.kind == QLatin1String("track-lit"));
    else if (e.kind.startsWith(QLatin1String("knob")))
        DrawKnob(p, e);
    else if (e.kind.startsWith(QLatin1String("drop")))
        DrawDropFace(p, e);
    else if (e.kind.startsWith(QLatin1String("speaker")))
        DrawSpeaker(p, e);
    else if (e.kind.startsWith(QLatin1String("stepper")))
        DrawStepper(p, e);
    else if (e.kind.startsWith(QLatin1String("sound")))
        DrawSoundFace(p, e);
    else if (e.kind == QLatin1String("window"))
        DrawWindow(p, e);
    else if (e.kind == QLatin1String("window-locked"))
        DrawWindowLocked(p, e);
    else if (e.kind == QLatin1String("cover"))
        DrawCover(p, e);
    else if (e.kind == QLatin1String("car-plan"))
        DrawCarPlan(p, e);
    else
        DrawFace(p, e);
    p.end();
    return image;
}
