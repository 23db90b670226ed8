#include "controls/SpinBtn.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/BitButton.h"
#include "controls/SkinButton.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/InputBlocked.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Each end zone takes 2/11 of the width.
constexpr double kZoneDivisor = 5.5;
// The caption keeps off the face's bottom pixels.
constexpr int kCaptionBottomMargin = 5;
}  // namespace

CSpinBtn::CSpinBtn(QWidget* parent, DWORD style)
    : QAbstractButton(parent), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    m_hover.setSingleShot(true);
    connect(&m_hover, &QTimer::timeout, this, [this] { OnMouseHover(); });
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::ArrowCursor);
    PreSubclassWindow(style);
}

void CSpinBtn::PreSubclassWindow(DWORD style)
{
    m_nDrawKind = DrawKindOfButtonType(style);
    if (m_nDrawKind == DRAW_BY_CLASS)
        style |= BS_OWNERDRAW;
    SetWindowStyle(this, style);
}

// ---- Set-up -----------------------------------------------------------------

void CSpinBtn::SetBitmaps(UINT idle, UINT downZone, UINT middle, UINT upZone)
{
    m_nZoneBitmap[ZONE_NONE] = idle;
    m_nZoneBitmap[ZONE_DOWN] = downZone;
    m_nZoneBitmap[ZONE_MIDDLE] = middle;
    m_nZoneBitmap[ZONE_UP] = upZone;
    TakeBitmapSize(this, idle);
    const int left = 0, right = width();
    const double part = (right - left) / kZoneDivisor;
    const int downRight = int(left + part);
    const int upLeft = int(right - part);
    m_rcZone[0] = CRect(left, 0, downRight, height());
    m_rcZone[1] = CRect(downRight, 0, upLeft, height());
    m_rcZone[2] = CRect(upLeft, 0, right, height());
    update();
}

void CSpinBtn::SetDisabledBitmap(UINT id)
{
    m_nDisabledBitmap = id;
    update();
}

void CSpinBtn::SetActive(bool active)
{
    m_bActive = active;
    SetHotZone(active ? ZONE_MIDDLE : ZONE_NONE);
}

void CSpinBtn::SetBuddy(UINT id, ISpinStepTarget* spin)
{
    m_nBuddyId = id;
    m_pBuddy = spin;
    m_bBuddyBound = true;
}

CRect CSpinBtn::ZoneRect(int zone) const
{
    return zone >= ZONE_DOWN && zone <= ZONE_UP ? m_rcZone[zone - 1] : CRect();
}

// ---- Zones, hover and stepping -----------------------------------------------

int CSpinBtn::ZoneAt(const QPoint& point) const
{
    if (m_rcZone[1].PtInRect(point))
        return ZONE_MIDDLE;
    if (m_rcZone[0].PtInRect(point))
        return ZONE_DOWN;
    if (m_rcZone[2].PtInRect(point))
        return ZONE_UP;
    return ZONE_NONE;
}

void CSpinBtn::SetHotZone(int zone)
{
    m_nHotZone = zone;
    if (zone >= ZONE_NONE && zone <= ZONE_UP)
        TakeBitmapSize(this, m_nZoneBitmap[zone]);
    update();
}

void CSpinBtn::RequestHover(int ms)
{
    m_hover.start(ms);
}

void CSpinBtn::OnMouseHover()
{
    if (m_bPressed)
        m_timers.SetTimer(TIMER_REPEAT, REPEAT_PERIOD_MS);
}

void CSpinBtn::OnMouseLeave()
{
    m_bPressed = false;
    SetHotZone(m_bActive ? ZONE_MIDDLE : ZONE_NONE);
}

void CSpinBtn::OnTimer(UINT id)
{
    if (id != TIMER_REPEAT)
        return;
    if (IsInputTakenFrom(this)) {
        // The release will not come here: the hold ends now.
        m_bPressed = false;
        m_timers.KillTimer(TIMER_REPEAT);
        return;
    }
    Step();
}

void CSpinBtn::Step()
{
    ISpinStepTarget* buddy = m_pBuddy.get();
    if (!m_bActive || !m_bBuddyBound || !buddy)
        return;
    if (m_nHotZone == ZONE_DOWN)
        buddy->StepBy(-1);
    else if (m_nHotZone == ZONE_UP)
        buddy->StepBy(+1);
}

// ---- Mouse, keys, focus -------------------------------------------------------

void CSpinBtn::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_bActive) {
        // While the button holds the mouse, Qt tells of no leave: a pointer
        // outside is judged here. Outside every zone nothing is lit.
        const bool inside = rect().contains(point);
        if (!inside)
            m_bPressed = false;
        const int zone = ZoneAt(point);
        if (zone != m_nHotZone)
            SetHotZone(zone);
        if (inside)
            RequestHover(HOVER_AFTER_MOVE_MS);
    } else {
        SetHotZone(ZONE_NONE);
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CSpinBtn::leaveEvent(QEvent* event)
{
    m_hover.stop();
    OnMouseLeave();
    QAbstractButton::leaveEvent(event);
}

void CSpinBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    // Taking the focus makes the field lose it, which deactivates this
    // button before the rest of the press.
    setFocus(Qt::MouseFocusReason);
    m_bFocus = true;
    m_bPressed = true;
    if (m_bActive)
        RequestHover(HOVER_AFTER_PRESS_MS);
    QAbstractButton::mousePressEvent(event);
    PostMessage(GetParentTarget(this), WM_LBUTTONDOWN, 0, 0);
}

void CSpinBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bPressed = false;
        m_timers.KillTimer(TIMER_REPEAT);
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CSpinBtn::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Step();
}

void CSpinBtn::focusOutEvent(QFocusEvent* event)
{
    m_bFocus = false;
    SetHotZone(ZONE_NONE);
    QAbstractButton::focusOutEvent(event);
}

void CSpinBtn::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        if (QWidget* field = parentWidget())
            field->setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    case Qt::Key_Down:
    case Qt::Key_Left:
        // A push button takes no arrow key: the focus stays.
        event->accept();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

void CSpinBtn::wheelEvent(QWheelEvent* event)
{
    if (!m_bFocus) {
        event->accept();  // swallowed
        return;
    }
    // With the focus, the turn goes on to the field and the page.
    QAbstractButton::wheelEvent(event);
}

// ---- Drawing ------------------------------------------------------------------

void CSpinBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_nDrawKind == DRAW_BY_CLASS)
        DrawButton(painter);
    else if (m_nDrawKind == DRAW_AS_DEFAULT)
        DrawDefaultButton(painter, this);
}

void CSpinBtn::DrawButton(QPainter& painter)
{
    CRect client(0, 0, width(), height());
    const QString caption = text();
    painter.setFont(font());
    if (!IsWindowEnabled(this)) {
        CBitButton::PaintBitmap(painter, this, m_nDisabledBitmap);
        painter.setPen(m_clrDisabledText);
        DrawText(painter, caption, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // A hot zone outside the four faces paints no bitmap.
    if (m_nHotZone >= ZONE_NONE && m_nHotZone <= ZONE_UP)
        CBitButton::PaintBitmap(painter, this, m_nZoneBitmap[m_nHotZone]);
    if (caption.isEmpty())
        return;
    painter.setPen(m_clrText);
    client.bottom -= kCaptionBottomMargin;
    DrawText(painter, caption, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
