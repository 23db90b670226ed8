#include "controls/Show_Link.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

CShow_Link::CShow_Link(QWidget* parent)
    : QAbstractButton(parent), m_backing(this), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    PreSubclassWindow();
}

void CShow_Link::PreSubclassWindow()
{
    const DWORD style = GetWindowStyle(this);
    m_nDrawKind = DrawKindOfButtonType(style);
    if (m_nDrawKind == DRAW_BY_CLASS)
        SetWindowStyle(this, style | BS_OWNERDRAW);
    update();
}

void CShow_Link::SetText(const QString& text)
{
    setText(text);
    DrawNow();
}

void CShow_Link::StartBlink()
{
    m_bBlink = true;
    m_nPhase = 0;
    m_timers.SetTimer(TIMER_BLINK, BLINK_PERIOD_MS);
}

void CShow_Link::StopBlink()
{
    m_bBlink = false;
    m_nPhase = 0;
    m_timers.KillTimer(TIMER_BLINK);
    DrawNow();
}

void CShow_Link::OnTimer(UINT id)
{
    if (id != TIMER_BLINK)
        return;
    m_nPhase = m_nPhase == 0 ? 1 : 0;
    DrawNow();
}

void CShow_Link::Render()
{
    QImage& image = m_backing.Surface();
    m_strRendered = text();
    QPainter painter(&image);
    const CRect client(0, 0, width(), height());
    painter.fillRect(client.ToQRect(), ToQColor(kFieldColour));
    COLORREF colour = kTextColour;
    if (m_bBlink)
        colour = m_nPhase == 1 ? kBlinkOnColour : kBlinkOffColour;
    painter.setPen(ToQColor(colour));
    painter.setFont(m_pFont ? *m_pFont : font());
    CRect textRect = client;
    textRect.right -= 19;
    DrawText(painter, m_strRendered, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CShow_Link::DrawNow()
{
    if (m_nDrawKind != DRAW_BY_CLASS) {
        update();
        return;
    }
    Render();
    m_backing.Present();
}

void CShow_Link::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_nDrawKind == DRAW_AS_DEFAULT) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = text();
        style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        return;
    }
    if (m_nDrawKind != DRAW_BY_CLASS)
        return;
    if (!m_backing.FitsWidget() || m_strRendered != text())
        Render();
    m_backing.PaintTo(painter, event->rect());
}
