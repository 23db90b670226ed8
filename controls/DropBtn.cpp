#include "controls/DropBtn.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/Lines.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

namespace {
constexpr COLORREF kDropDefaultColour = COLORREF(-1);

QColor DropColourOr(COLORREF colour, COLORREF fallback)
{
    return ToQColor(colour == kDropDefaultColour ? fallback : colour);
}
}  // namespace

// The list opens under the button always, even at the foot of the screen.
CDropBtn::CDropBtn(QWidget* parent) : CDropListButton(parent, DROP_HEIGHT, false)
{
    setMouseTracking(true);
    NotifyClicksToParent(this);
}

CDropBtn::~CDropBtn()
{
    WatchPointer(false);
    if (m_pPopup) {
        m_pPopup->removeEventFilter(this);
        delete m_pPopup;
    }
}

bool CDropBtn::Setup(UINT nNotifyId, COLORREF crBack, COLORREF crHot, COLORREF crArrow, COLORREF crText,
                     const QFont* pFont)
{
    if (crBack == kDropDefaultColour) {
        m_clrBack = ToQColor(kDefaultBack);
        m_clrHot = ToQColor(kDefaultHot);
    } else {
        m_clrBack = ToQColor(crBack);
        m_clrHot = ToQColor(crHot);
    }
    if (pFont != nullptr) {
        m_pFont = pFont;
    } else {
        m_fontOwn = CreateFont(15, 400).value_or(font());
        m_pFont = &m_fontOwn;
    }
    m_clrArrow = DropColourOr(crArrow, kDefaultArrow);
    m_clrText = DropColourOr(crText, kDefaultText);
    if (!MakeDropList(nNotifyId, LogFontFromFont(TextFont())))
        return false;
    m_pPopup->installEventFilter(this);  // Qt keeps one however often it is installed
    update();
    return true;
}

const QFont& CDropBtn::TextFont() const
{
    return m_pFont ? *m_pFont : font();
}

// ---- Drawing ------------------------------------------------------------------------------

void CDropBtn::ArrowPoints(int x, int y, int w, QPoint out[3])
{
    out[0] = QPoint(x, y);
    out[1] = QPoint(x + w - 1, y);
    out[2] = QPoint(x + w / 2, y + w / 2);
}

void CDropBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const CRect r(0, 0, width(), height());
    DrawRectangle(painter, r, Qt::black, m_bHover ? m_clrHot : m_clrBack);

    painter.setFont(TextFont());
    const QFontMetrics metrics(painter.font());
    const int mWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    const int cellHeight = metrics.height();
    const int y = (r.Height() - cellHeight) / 2;

    QPoint arrow[3];
    ArrowPoints(r.right - mWidth - 5, y + cellHeight / 3, mWidth, arrow);
    // Filled, then outlined with one-pixel lines that each leave their end
    // to the next: every corner, the point below included, is drawn.
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_clrArrow);
    painter.drawPolygon(arrow, 3);
    for (int k = 0; k < 3; ++k)
        DrawLine(painter, arrow[k], arrow[(k + 1) % 3], m_clrArrow);

    painter.setPen(m_clrText);
    DrawText(painter, text(), CRect(5, 0, r.right - mWidth - 10, r.bottom),
             DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

// ---- Hover, mouse, focus ------------------------------------------------------------------------

void CDropBtn::SetHover(bool hover)
{
    if (hover == m_bHover)
        return;
    m_bHover = hover;
    repaint();
}

void CDropBtn::EnterHover()
{
    if (!IsDropped())
        SetHover(true);
}

void CDropBtn::enterEvent(QEnterEvent* event)
{
    EnterHover();
    QAbstractButton::enterEvent(event);
}

void CDropBtn::mouseMoveEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        EnterHover();
    QAbstractButton::mouseMoveEvent(event);
}

void CDropBtn::leaveEvent(QEvent* event)
{
    if (!IsDropped())
        SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CDropBtn::WatchPointer(bool on)
{
    if (on == m_bWatching)
        return;
    m_bWatching = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool CDropBtn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pPopup && m_pPopup != nullptr) {
        if (event->type() == QEvent::Show) {
            WatchPointer(true);
        } else if (event->type() == QEvent::Hide) {
            WatchPointer(false);
            if (!QRect(mapToGlobal(QPoint(0, 0)), size()).contains(GetCursorPos()))
                SetHover(false);
        }
    } else if (m_bWatching && event->type() == QEvent::MouseMove) {
        const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        const QRect button(mapToGlobal(QPoint(0, 0)), size());
        if (!button.contains(global) && !m_pPopup->geometry().contains(global))
            m_pPopup->hide();
    }
    return QAbstractButton::eventFilter(watched, event);
}

void CDropBtn::ShowPressed()
{
    repaint();
}

void CDropBtn::ShowPicked()
{
    repaint();
}

void CDropBtn::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    if (IsDropped())
        List()->setFocus(Qt::OtherFocusReason);
}
