#include "controls/SxGroupBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "controls/SxLogFont.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/SystemMetrics.h"
#include "platform/gui/WindowAttributes.h"

namespace {
QFont PointFont(const LOGFONT& lf, const QFont& fallback)
{
    return CreatePointFontIndirect(lf).value_or(fallback);
}

// Square-capped solid lines through the points, every point's pixel
// included.
void Polyline(QPainter& painter, const QColor& colour, int width, std::initializer_list<QPoint> points)
{
    QPen pen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawPolyline(QPolygon(QList<QPoint>(points)));
}
}  // namespace

CSxGroupBox::CSxGroupBox(QWidget* parent)
    : QGroupBox(parent),
      m_clrShadow(ToColorRef(GetSysColor(COLOR_BTNSHADOW))),
      m_clrHighlight(ToColorRef(GetSysColor(COLOR_BTNHIGHLIGHT))),
      m_clrDefaultShadow(m_clrShadow),
      m_clrDefaultHighlight(m_clrHighlight),
      m_captionFont(PointFont(CSxLogFont(100, 700, 0, QStringLiteral("Arial")), font()))
{
    PreSubclassWindow();
}

void CSxGroupBox::PreSubclassWindow()
{
    m_strCaption = title();
    const DWORD style = GetWindowStyle(this);
    switch (style & BS_CENTER) {
    case BS_RIGHT:
        m_nAlignment = ALIGN_RIGHT;
        break;
    case BS_CENTER:
        m_nAlignment = ALIGN_CENTER;
        break;
    default:
        m_nAlignment = ALIGN_LEFT;
        break;
    }
    // The old box drew both of these etched; only SetFrameStyle picks the
    // flat or the double frame.
    m_nFrameStyle = (style & BS_FLAT) ? 0 : 1;
    m_bCaptionHidden = (GetWindowExStyle(this) & 0xC0) != 0;
}

CRect CSxGroupBox::FrameRect() const
{
    const DWORD exStyle = GetWindowExStyle(this);
    CRect frame(0, 0, width(), height());
    const int cxEdge = GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = GetSystemMetrics(SM_CYEDGE);
    if (exStyle & WS_EX_DLGMODALFRAME) {
        frame.DeflateRect(2 * cxEdge, 2 * cyEdge);
        frame.left -= 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        frame.DeflateRect(cxEdge + 1, cyEdge + 1);
        frame.left -= 1;
        if (exStyle & WS_EX_DLGMODALFRAME)
            frame.right += 1;
    }
    if (exStyle & WS_EX_STATICEDGE) {
        frame.DeflateRect(2 * GetSystemMetrics(SM_CXBORDER), 2 * GetSystemMetrics(SM_CYBORDER));
        frame.left -= 1;
    }
    return frame;
}

int CSxGroupBox::TopLine() const
{
    // Half the caption's height in the old system font, whatever the
    // caption's own font.
    const QFont system = CreateFontIndirect(SystemFontLogFont()).value_or(font());
    return FrameRect().top + QFontMetrics(system).height() / 2 - 1;
}

void CSxGroupBox::CaptionGap(int* x1, int* x2) const
{
    const CRect frame = FrameRect();
    const int cw = QFontMetrics(m_captionFont).horizontalAdvance(m_strCaption);
    switch (m_nAlignment) {
    case ALIGN_RIGHT:
        *x2 = frame.right - m_nMargin;
        *x1 = *x2 - cw;
        break;
    case ALIGN_CENTER:
        // From the frame's width alone, as the box always placed it.
        *x1 = (frame.Width() - cw) / 2;
        *x2 = *x1 + cw;
        break;
    default:
        *x1 = frame.left + m_nMargin;
        *x2 = *x1 + cw;
        break;
    }
}

void CSxGroupBox::SetText(const QString& text, bool redraw)
{
    m_strCaption = text;
    setTitle(text);
    if (redraw)
        repaint();
}

void CSxGroupBox::SetFrameColors(COLORREF shadow, COLORREF highlight, bool redraw)
{
    m_clrShadow = shadow != 0 ? shadow : m_clrDefaultShadow;
    m_clrHighlight = highlight != 0 ? highlight : m_clrDefaultHighlight;
    if (redraw)
        update();
}

void CSxGroupBox::GetFrameColors(COLORREF* shadow, COLORREF* highlight) const
{
    if (shadow)
        *shadow = m_clrShadow;
    if (highlight)
        *highlight = m_clrHighlight;
}

void CSxGroupBox::SetCaptionTextColor(COLORREF colour, bool redraw)
{
    m_clrCaption = colour;
    if (redraw)
        update();
}

void CSxGroupBox::SetCaptionFont(const LOGFONT* lf)
{
    m_captionFont = PointFont(lf ? *lf : CSxLogFont(80, 400), font());
}

void CSxGroupBox::SetAlignment(int alignment)
{
    m_nAlignment = alignment == ALIGN_RIGHT || alignment == ALIGN_CENTER ? alignment : ALIGN_LEFT;
}

void CSxGroupBox::SetCaptionMargins(int horizontal, int vertical)
{
    m_nMargin = horizontal;
    m_nOffset = vertical;
}

void CSxGroupBox::SetFrameStyle(int style)
{
    m_nFrameStyle = style == FRAME_FLAT || style == FRAME_DOUBLE ? style : FRAME_ETCHED;
}

void CSxGroupBox::Refresh()
{
    PreSubclassWindow();
    repaint();
}

QColor CSxGroupBox::Shadow() const
{
    return ToQColor(isEnabled() ? m_clrShadow : m_clrDefaultShadow);
}

QColor CSxGroupBox::Highlight() const
{
    return ToQColor(isEnabled() ? m_clrHighlight : m_clrDefaultHighlight);
}

void CSxGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const CRect f = FrameRect();
    const int w = m_nLineWidth;
    const int y = TopLine();
    int x1 = 0;
    int x2 = 0;
    CaptionGap(&x1, &x2);
    const QColor pen1 = Shadow();
    const QColor pen2 = Highlight();

    if (m_nFrameStyle == FRAME_FLAT) {
        Polyline(painter, pen1, w,
                 {{x1, y}, {f.left, y}, {f.left, f.bottom}, {f.right, f.bottom}, {f.right, y}, {x2, y}});
    } else if (m_nFrameStyle == FRAME_DOUBLE) {
        Polyline(painter, pen1, w,
                 {{x1, y}, {f.left, y}, {f.left, f.bottom}, {f.right, f.bottom}, {f.right, y}, {x2, y}});
        Polyline(painter, pen2, w,
                 {{x1, y - w},
                  {f.left - w, y - w},
                  {f.left - w, f.bottom + w},
                  {f.right + w, f.bottom + w},
                  {f.right + w, y - w},
                  {x2, y - w}});
    } else {
        Polyline(painter, pen1, w,
                 {{x1, y}, {f.left, y}, {f.left, f.bottom - w}, {f.right - w, f.bottom - w}, {f.right - w, y}, {x2, y}});
        Polyline(painter, pen2, w, {{x1, y + w}, {f.left + w, y + w}, {f.left + w, f.bottom - 2 * w}});
        Polyline(painter, pen2, w, {{f.left + w, f.bottom}, {f.right, f.bottom}, {f.right, y + w}});
        Polyline(painter, pen2, w, {{f.right - 2 * w, y + w}, {x2, y + w}});
    }

    if (m_strCaption.isEmpty() || m_bCaptionHidden || !isEnabled())
        return;
    painter.setFont(m_captionFont);
    painter.setPen(ToQColor(m_clrCaption));
    DrawText(painter, m_strCaption, CRect(x1, y - m_nOffset, x2, y), DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
}
