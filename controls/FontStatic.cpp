#include "controls/FontStatic.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"

CFontStatic::CFontStatic(QWidget* parent)
    : QLabel(parent), m_fontNotice(this), m_backing(this), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    SetWindowStyle(this, GetWindowStyle(this) | SS_NOTIFY);
}

void CFontStatic::SetFontStyle(const QString&, int height, const QColor& text, DWORD style)
{
    m_nFontHeight = height;
    m_bDirty = true;
    if (text == m_clrText)
        return;
    m_clrText = text;
    ApplyStyle(style);
    RedrawParentArea();
}

void CFontStatic::ApplyStyle(DWORD style)
{
    // Bits 0x01 to 0x10 do not change the drawing.
    m_bCenter = m_bLeft = m_bRight = false;
    if (style & STYLE_CENTER)
        m_bCenter = true;
    else if (style & STYLE_RIGHT)
        m_bRight = true;
    else if (style & STYLE_LEFT)
        m_bLeft = true;
    m_bDirty = true;
}

void CFontStatic::SetTextColor(const QColor& colour)
{
    m_clrText = colour;
    Redraw();
    RedrawParentArea();
}

void CFontStatic::SetBkColor(const QColor& colour)
{
    m_clrFill = colour;
    m_bFill = true;
    Redraw();
}

void CFontStatic::SetText(const QString& text)
{
    setText(text);
    m_bDirty = true;
    RedrawParentArea();
}

void CFontStatic::SetFontHeight(int pixels)
{
    m_nFontHeight = pixels;
    m_bDirty = true;
    RedrawParentArea();
}

void CFontStatic::SetValueFormat(int first, int second, int offset, const QString& unit)
{
    m_nValueFirst = first;
    m_nValueSecond = second;
    m_nValueOffset = offset;
    m_strValueUnit = unit;
}

void CFontStatic::SetValue(int v)
{
    SetText(QString::asprintf("%d", v - m_nValueOffset) + m_strValueUnit);
}

void CFontStatic::StartBlink()
{
    m_bBlink = true;
    m_bBlinkPhase = false;
    m_timers.SetTimer(TIMER_BLINK, BLINK_PERIOD_MS);
    m_bDirty = true;
}

void CFontStatic::StopBlink()
{
    m_bBlink = false;
    m_bBlinkPhase = false;
    m_timers.KillTimer(TIMER_BLINK);
    Redraw();
}

void CFontStatic::OnTimer(UINT id)
{
    if (id != TIMER_BLINK)
        return;
    m_bBlinkPhase = !m_bBlinkPhase;
    Redraw();
}

void CFontStatic::RedrawParentArea()
{
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    else
        update();
}

void CFontStatic::Render()
{
    QImage& image = m_backing.Surface();
    image.fill(Qt::transparent);
    m_bDirty = false;
    m_strRendered = text();

    QPainter painter(&image);
    const CRect client(0, 0, width(), height());
    if (m_bFill)
        painter.fillRect(client.ToQRect(), m_clrFill);

    const std::optional<QFont> font = CreateFont(m_nFontHeight, FW_NORMAL, QStringLiteral("Arial"));
    if (!font) {
        m_fontNotice.Failed();
        return;
    }
    m_fontNotice.Succeeded();

    QColor colour = m_clrText;
    if (m_bBlink)
        colour = m_bBlinkPhase ? QColor(250, 250, 250) : QColor(255, 0, 0);
    painter.setFont(*font);
    painter.setPen(colour);
    const UINT align = m_bLeft ? DT_LEFT : m_bRight ? DT_RIGHT : DT_CENTER;
    if (m_bWordWrap)
        DrawText(painter, m_strRendered, client, align | DT_WORDBREAK | DT_NOCLIP);
    else
        DrawText(painter, m_strRendered, client, align | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}

void CFontStatic::Redraw()
{
    Render();
    m_backing.Present();
}

void CFontStatic::paintEvent(QPaintEvent* event)
{
    if (m_bDirty || !m_backing.FitsWidget() || m_strRendered != text())
        Render();
    QPainter painter(this);
    m_backing.PaintTo(painter, event->rect());
}
