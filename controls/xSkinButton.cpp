#include "controls/xSkinButton.h"

#include <algorithm>
#include <set>

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawEdge.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/Lines.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
const QString kSkinBitmapType = QStringLiteral("BMP");
constexpr QRgb kMaskWhite = 0xFFFFFF;  // white

QImage LoadSkinImage(UINT id)
{
    return id != 0 ? CResourceStore::Image(kSkinBitmapType, id) : QImage();
}

bool IsMaskColour(QRgb pixel, QRgb transparent)
{
    return (pixel & 0xFFFFFF) == (transparent & 0xFFFFFF);
}
}  // namespace

CxSkinButton::CxSkinButton(QWidget* parent, DWORD style)
    : QAbstractButton(parent), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    m_font = CreateFont(18, 500).value_or(font());
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    PreSubclassWindow(style);
    NotifyClicksToParent(this);
}

CxSkinButton::~CxSkinButton() = default;

void CxSkinButton::PreSubclassWindow(DWORD style)
{
    // The drawing rule's numbers name the kinds: (type & 3) == 3 a check
    // box, (type & 9) == 9 a radio button, anything else a push button.
    m_nKind = DrawKindOfButtonType(style & 0xFF);
    SetWindowStyle(this, style | BS_OWNERDRAW);
}

// ---- Skin ----------------------------------------------------------------------------

std::optional<QRegion> CxSkinButton::RegionFromBitmap(const QImage& bitmap, QRgb transparent)
{
    if (bitmap.isNull())
        return std::nullopt;
    const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB32);
    // Row by row from the top, so that each run joins the region below what
    // it holds already (the cheap case of a union).
    QRegion region;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = 0;
        while (x < pixels.width()) {
            while (x < pixels.width() && IsMaskColour(row[x], transparent))
                ++x;
            const int start = x;
            while (x < pixels.width() && !IsMaskColour(row[x], transparent))
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

void CxSkinButton::SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask,
                           short drawMode, short border, short focusMargin)
{
    m_bmpNormal = LoadSkinImage(normal);
    m_bmpPressed = LoadSkinImage(pressed);
    m_bmpHover = LoadSkinImage(hover);
    m_bmpFocus = LoadSkinImage(focus);
    m_bmpDisabled = LoadSkinImage(disabled != 0 ? disabled : normal);
    m_bmpMask = QImage();
    m_nDrawMode = std::clamp<short>(drawMode, DRAW_COPY, DRAW_TILE);
    m_nBorder = border;
    m_nFocusMargin = std::max<short>(focusMargin, 0);

    // The shape: a new skin starts rectangular and visible.
    clearMask();
    m_bShapeHidden = false;
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (mask != 0) {
        m_bmpMask = LoadSkinImage(mask);
        if (const std::optional<QRegion> region = RegionFromBitmap(m_bmpMask, kMaskWhite)) {
            // Qt takes an empty mask for none: a mask without a single
            // button pixel hides the button instead.
            if (region->isEmpty()) {
                m_bShapeHidden = true;
                setAttribute(Qt::WA_TransparentForMouseEvents, true);
            } else {
                setMask(*region);
            }
        }
        if (m_nDrawMode == DRAW_COPY && !m_bmpMask.isNull())
            resize(m_bmpMask.size());
    }
    if (QWidget* parent = parentWidget())
        parent->update();
    update();
}

COLORREF CxSkinButton::SetTextColor(COLORREF colour)
{
    const COLORREF previous = m_clrText;
    m_clrText = colour;
    return previous;
}

void CxSkinButton::SetToolTipText(const QString& text)
{
    m_bToolTip = true;
    setToolTip(text);
}

void CxSkinButton::SetToolTipColor(COLORREF text, COLORREF background)
{
    if (!m_bToolTip)
        return;
    m_bToolTipColours = true;
    m_clrToolTipText = ToQColor(text);
    m_clrToolTipBack = ToQColor(background);
}

void CxSkinButton::EnableRepeat(int value)
{
    m_bRepeat = true;
    m_nRepeatValue = value;
}

void CxSkinButton::ResetState()
{
    m_bChecked = false;
    m_bPressed = false;
    update();
}

void CxSkinButton::CancelPress()
{
    EndPress();
    setDown(false);
    update();
}

void CxSkinButton::EndPress()
{
    m_bPressed = false;
    m_timers.KillTimer(TIMER_REPEAT);
}

// ---- Messages ---------------------------------------------------------------------------

LRESULT CxSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case BM_GETCHECK:
        return m_bChecked ? 1 : 0;
    case BM_SETCHECK:
        return OnSetCheck(wParam);
    case BM_SETSTATE:
        setDown(wParam != 0);
        update();
        return 0;
    case WM_SKINBTN_UNCHECK:
        return OnSkinUncheck();
    default:
        return 0;
    }
}

LRESULT CxSkinButton::OnSetCheck(WPARAM check)
{
    m_bChecked = check != 0 && m_nKind != KIND_PUSH;
    if (m_bChecked && m_nKind == KIND_RADIO) {
        // Every other button of the group unchecks. The walk ends back at
        // this button, or at the first repeat when this one is outside it
        // (hidden or disabled buttons are skipped).
        const QWidget* dialog = parentWidget();
        std::set<const QWidget*> met;
        for (QWidget* w = GetNextDlgGroupItem(dialog, this); w != nullptr && w != this && met.insert(w).second;
             w = GetNextDlgGroupItem(dialog, w)) {
            PostMessage(dynamic_cast<CMsgTarget*>(w), WM_SKINBTN_UNCHECK, 0, 0);
        }
    }
    update();
    return 0;
}

LRESULT CxSkinButton::OnSkinUncheck()
{
    if (m_bChecked) {
        m_bChecked = false;
        update();
    }
    return 0;
}

void CxSkinButton::OnTimer(UINT id)
{
    if (id == TIMER_REPEAT)
        PostMessage(GetParentTarget(this), WM_OPERATION_DONE, WPARAM(GetDlgCtrlID(this)), m_nRepeatValue);
}

// ---- Mouse, keys, focus -----------------------------------------------------------------

bool CxSkinButton::hitButton(const QPoint& pos) const
{
    // Over the button means over its shape, as for the window under the
    // pointer.
    return mask().isEmpty() ? rect().contains(pos) : mask().contains(pos);
}

bool CxSkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_bToolTipColours && !toolTip().isEmpty()) {
        // Qt's tooltip takes the tooltip palette when it appears; this
        // button's colours are lent to it for that moment.
        const QPalette previous = QToolTip::palette();
        QPalette colours = previous;
        colours.setColor(QPalette::ToolTipText, m_clrToolTipText);
        colours.setColor(QPalette::ToolTipBase, m_clrToolTipBack);
        QToolTip::setPalette(colours);
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip(), this);
        QToolTip::setPalette(previous);
        return true;
    }
    return QAbstractButton::event(event);
}

void CxSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    m_bHover = false;
    m_bPressed = true;
    if (m_bRepeat)
        m_timers.SetTimer(TIMER_REPEAT, REPEAT_PERIOD_MS);
    QAbstractButton::mousePressEvent(event);
    update();
}

void CxSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bPressed) {
        // Qt's press tracking shows the button pushed exactly while the
        // pointer is over its shape.
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    if (!m_bHover) {
        m_bHover = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CxSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (m_nKind != KIND_PUSH && hitButton(event->position().toPoint()))
        SendMessage(this, BM_SETCHECK, m_nKind == KIND_RADIO ? 1 : !m_bChecked, 0);
    EndPress();
    update();
    QAbstractButton::mouseReleaseEvent(event);
}

void CxSkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a second press.
    mousePressEvent(event);
}

void CxSkinButton::leaveEvent(QEvent* event)
{
    m_bHover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CxSkinButton::focusOutEvent(QFocusEvent* event)
{
    if (m_bPressed)
        EndPress();
    QAbstractButton::focusOutEvent(event);
}

void CxSkinButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        if (m_nKind == KIND_CHECK)
            SendMessage(this, BM_SETCHECK, !m_bChecked, 0);
        else if (m_nKind == KIND_RADIO)
            SendMessage(this, BM_SETCHECK, 1, 0);
    }
    QAbstractButton::keyPressEvent(event);
}

// ---- Drawing ---------------------------------------------------------------------------

void CxSkinButton::paintEvent(QPaintEvent*)
{
    if (m_bShapeHidden)
        return;
    QPainter painter(this);
    DrawItem(painter);
}

void CxSkinButton::DrawItem(QPainter& painter)
{
    const CRect r(0, 0, width(), height());
    CRect t = r;
    t.left += m_nFocusMargin + 2;
    t.right -= m_nFocusMargin + 2;
    const QString caption = text();
    const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const QColor face = GetSysColor(COLOR_BTNFACE);
    CRect edge = r;
    painter.setFont(font());

    if (!IsWindowEnabled(this)) {
        if (m_bmpDisabled.isNull())
            painter.fillRect(r.ToQRect(), face);
        else
            DrawBitmap(painter, m_bmpDisabled, r);
        if (m_nBorder)
            DrawEdge(painter, &edge, EDGE_RAISED, BF_RECT);
        // The etched caption: light, then grey one pixel up and left.
        if (m_bChecked)
            t.OffsetRect(1, 1);
        painter.setPen(GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawText(painter, caption, t, centred);
        t.OffsetRect(-1, -1);
        painter.setPen(GetSysColor(COLOR_GRAYTEXT));
        DrawText(painter, caption, t, centred);
        return;
    }

    if (isDown() || m_bChecked) {
        if (m_bmpPressed.isNull())
            painter.fillRect(r.ToQRect(), face);
        else
            DrawBitmap(painter, m_bmpPressed, r);
        t.OffsetRect(1, 1);
        if (m_nBorder)
            DrawEdge(painter, &edge, EDGE_SUNKEN, BF_RECT);
    } else {
        if (m_bmpNormal.isNull())
            painter.fillRect(r.ToQRect(), face);
        else if (m_bHover && !m_bmpHover.isNull())
            DrawBitmap(painter, m_bmpHover, r);
        else if (hasFocus() && !m_bmpFocus.isNull())
            DrawBitmap(painter, m_bmpFocus, r);
        else
            DrawBitmap(painter, m_bmpNormal, r);
        if (m_nBorder)
            DrawEdge(painter, &edge, EDGE_RAISED, BF_RECT);
    }

    if (hasFocus() && m_nFocusMargin > 0) {
        CRect focusRect = r;
        focusRect.DeflateRect(m_nFocusMargin, m_nFocusMargin);
        DrawFocusRect(painter, focusRect);
    }
    painter.setFont(m_font);
    painter.setPen(ToQColor(m_bHover || m_bPressed ? m_clrHoverText : m_clrText));
    DrawText(painter, caption, t, centred);
}

void CxSkinButton::DrawBitmap(QPainter& painter, const QImage& image, const CRect& r) const
{
    if (image.isNull() || r.IsRectEmpty())
        return;
    const QRect target = r.ToQRect();
    if (m_nDrawMode == DRAW_TILE) {
        // 1:1 in rows and columns from the top-left corner, the last row and
        // column cut at the rectangle.
        painter.drawTiledPixmap(target, QPixmap::fromImage(image));
        return;
    }
    const bool stretch = m_nDrawMode == DRAW_STRETCH;
    const auto fit = [&](const QImage& source) {
        return stretch ? source.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation) : source;
    };
    if (m_bmpMask.isNull()) {
        painter.drawImage(target.topLeft(), fit(image));
        return;
    }
    // Two levels: where the mask is white the parent stays, anywhere else
    // the image shows (what the invert-and-mask blits give for a black and
    // white mask). Outside the mask the parent stays too.
    QImage shown(target.size(), QImage::Format_ARGB32);
    shown.fill(Qt::transparent);
    const QImage pixels = fit(image).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = fit(m_bmpMask).convertToFormat(QImage::Format_RGB32);
    const int w = std::min({shown.width(), pixels.width(), mask.width()});
    const int h = std::min({shown.height(), pixels.height(), mask.height()});
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        const auto* cut = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (!IsMaskColour(cut[x], kMaskWhite))
                out[x] = in[x] | 0xFF000000;
        }
    }
    painter.drawImage(target.topLeft(), shown);
}
