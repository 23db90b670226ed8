#include "graphs/NumSpin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "graphs/NumEdit.h"
#include "model/FrequencyTables.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/MsgTarget.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/InputBlocked.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The arrows' look: the slate of the skinned buttons, the accent while held.
const QColor kFaceTop(0x46, 0x4E, 0x60);
const QColor kFaceBottom(0x36, 0x3D, 0x4C);
const QColor kPressedTop(0x2A, 0x30, 0x3C);
const QColor kPressedBottom(0x33, 0x3A, 0x48);
const QColor kBorder(0x23, 0x28, 0x33);
const QColor kArrow(0xDC, 0xDC, 0xDC);
const QColor kArrowPressed(0xFF, 0x66, 0x00);
const QColor kArrowDisabled(0x8A, 0x90, 0x9C);
}  // namespace

CNumSpin::CNumSpin(QWidget* parent, DWORD style)
    : QWidget(parent), m_bArrowKeys((style & UDS_ARROWKEYS) != 0), m_timers(this, [this](UINT id) { OnTimer(id); })
{
    // The buddy keeps the keyboard; the arrows are for the mouse.
    setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
}

QSize CNumSpin::sizeHint() const
{
    return {16, 22};
}

// ---- Buddy, range and position ------------------------------------------------------

void CNumSpin::SetBuddy(CNumEdit* buddy)
{
    if (m_pBuddy)
        m_pBuddy->removeEventFilter(this);
    m_pBuddy = buddy;
    if (buddy && m_bArrowKeys)
        buddy->installEventFilter(this);
}

CNumEdit* CNumSpin::GetBuddy() const
{
    return m_pBuddy;
}

void CNumSpin::GetRange32(int& min, int& max) const
{
    min = m_nMin;
    max = m_nMax;
}

void CNumSpin::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    if (CNumEdit* buddy = m_pBuddy) {
        buddy->SetRange(min, max);
        // The mode follows the type the field has now: a page that sets the
        // type after the range gets plain steps.
        m_nStepMode = buddy->GetValueType();
    }
}

int CNumSpin::GetPos()
{
    if (CNumEdit* buddy = m_pBuddy)
        m_nPos = buddy->GetValue();
    return m_nPos;
}

void CNumSpin::SetPos(int value)
{
    if (value < m_nMin || value > m_nMax) {
        AppNoticeBox(QStringLiteral("设定Pos错误!"), QStringLiteral("Set Pos Error!"));
        value = value < m_nMin ? m_nMin : m_nMax;
    }
    m_nPos = value;
    if (CNumEdit* buddy = m_pBuddy)
        buddy->SetValue(value);
}

bool CNumSpin::IsModified() const
{
    return m_pBuddy && m_pBuddy->IsModified();
}

int CNumSpin::GetBuddyValueType() const
{
    return m_pBuddy ? m_pBuddy->GetValueType() : 0;
}

int CNumSpin::GetDelayPos()
{
    if (CNumEdit* buddy = m_pBuddy)
        m_nPos = buddy->GetDelayValue();
    return m_nPos;
}

int CNumSpin::Clamp(long long value) const
{
    if (value > m_nMax)
        value = m_nMax;
    if (value < m_nMin)
        value = m_nMin;
    return int(value);
}

// ---- Stepping ------------------------------------------------------------------------

void CNumSpin::NotifyParent()
{
    SendCommandToParent(this);
}

void CNumSpin::PostDelayStep(int delta)
{
    PostMessage(GetParentTarget(this), WM_SPIN_DELAY_STEP, WPARAM(GetDlgCtrlID(this)), LPARAM(delta));
}

void CNumSpin::StepDelay(int old, int delta)
{
    CNumEdit* buddy = m_pBuddy;
    switch (buddy ? buddy->GetValueType() : -1) {
    case CNumEditValue::TYPE_DELAY_MS:
        break;
    case CNumEditValue::TYPE_DELAY_CM:
        m_nPos = StepDelayByCentimetre(old, delta);
        break;
    case CNumEditValue::TYPE_DELAY_INCH:
        m_nPos = StepDelayByInch(old, delta);
        break;
    default:  // the field is not a delay shown in a unit: it stays
        return;
    }
    buddy->SetValue(m_nPos);
}

void CNumSpin::OnDeltaPos(int delta)
{
    CNumEdit* buddy = m_pBuddy;
    if (!buddy || !buddy->GetInputFlag())
        return;
    const int old = IsModified() ? GetPos() : m_nPos;
    long long next = (long long)old + delta;
    if (m_nStepMode == MODE_RATIO) {
        // Tenths up to 2.0:1, halves above.
        if (delta >= 1)
            next = old <= 10 ? (long long)old + 1 : (long long)old + 5;
        else if (delta < 0)
            next = old >= 1 && old <= 10 ? (long long)old - 1 : (long long)old - 5;
        else
            next = old;
    }
    const int clamped = Clamp(next);
    if (clamped != m_nPos) {
        m_nPos = clamped;
        m_bPending = true;
    }
    if (m_nStepMode == MODE_FREQUENCY_4 || m_nStepMode == MODE_FREQUENCY || m_nStepMode == MODE_FREQUENCY_9)
        SnapToFrequencyGrid();
    if (m_bHeld) {
        // A held press steps one count at a time in every unit; the parent
        // hears of it from the timer or the release.
        buddy->SetValue(m_nPos);
        return;
    }
    if (m_nStepMode != MODE_DELAY) {
        buddy->SetValue(m_nPos);
        NotifyParent();  // also at a limit, with the value unchanged
        return;
    }
    StepDelay(old, delta);
    NotifyParent();
    PostDelayStep(delta);
}

void CNumSpin::SnapToFrequencyGrid()
{
    CNumEdit* buddy = m_pBuddy;
    if (!buddy)
        return;
    const int count = buddy->GetValue();
    if (m_nPos == count)
        return;
    const int i = FrequencyToGridIndex(m_nPos);
    int next = 0;
    if (m_nPos > count) {
        next = TruncateToInt(g_FrequencyGrid[i >= GRID_POINTS - 1 ? GRID_POINTS - 1 : i + 1]);
        if (next > m_nMax)
            next = m_nMax;
    } else {
        next = TruncateToInt(g_FrequencyGrid[i <= 1 ? 1 : i - 1]);
        if (next < m_nMin)
            next = m_nMin;
    }
    SetPos(next);
}

void CNumSpin::StepBy(int delta)
{
    CNumEdit* buddy = m_pBuddy;
    if (!buddy)
        return;
    const int old = GetPos();
    const int next = Clamp((long long)old + delta);
    if (next != old) {
        m_nPos = next;
        m_bPending = true;
    }
    if (m_bHeld)
        return;
    if (m_nStepMode == MODE_DELAY) {
        StepDelay(old, delta);
        NotifyParent();
        PostDelayStep(delta);
        return;
    }
    buddy->SetValue(m_nPos);
    NotifyParent();
}

// ---- Timers, mouse and keys ----------------------------------------------------------

void CNumSpin::OnTimer(UINT id)
{
    if (m_bHeld && IsInputTakenFrom(this)) {
        // The release will not come here: the hold ends now.
        EndHold();
        return;
    }
    if (id == TIMER_NOTIFY) {
        if (m_bPending && GetParentTarget(this)) {
            m_bPending = false;
            NotifyParent();
        }
    } else if (id == TIMER_REPEAT) {
        if (m_timers.Interval(TIMER_REPEAT) != REPEAT_PERIOD_MS)
            m_timers.SetTimer(TIMER_REPEAT, REPEAT_PERIOD_MS);
        if (m_bHeld && m_bOverPressed)
            OnDeltaPos(m_nPressedArrow);
    }
}

int CNumSpin::ArrowAt(const QPoint& point) const
{
    if (!rect().contains(point))
        return 0;
    return point.y() < height() / 2 ? +1 : -1;
}

void CNumSpin::mousePressEvent(QMouseEvent* event)
{
    const int arrow = ArrowAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || arrow == 0 || m_bHeld)
        return;
    m_timers.SetTimer(TIMER_NOTIFY, NOTIFY_PERIOD_MS);
    m_bHeld = true;
    m_nPressedArrow = arrow;
    m_bOverPressed = true;
    update();
    OnDeltaPos(arrow);
    m_timers.SetTimer(TIMER_REPEAT, REPEAT_DELAY_MS);
}

void CNumSpin::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_bHeld)
        return;
    const bool over = ArrowAt(event->position().toPoint()) == m_nPressedArrow;
    if (over != m_bOverPressed) {
        m_bOverPressed = over;
        update();
    }
}

void CNumSpin::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bHeld)
        EndHold();
}

void CNumSpin::EndHold()
{
    m_bHeld = false;
    m_nPressedArrow = 0;
    m_timers.KillTimer(TIMER_NOTIFY);
    m_timers.KillTimer(TIMER_REPEAT);
    update();
    if (m_bPending) {
        m_bPending = false;
        NotifyParent();
    }
}

bool CNumSpin::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: the buddy's pointer is not read while the buddy is
    // being destroyed (and sends its last events).
    if (event->type() != QEvent::KeyPress || watched != m_pBuddy)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    OnDeltaPos(key == Qt::Key_Up ? +1 : -1);
    return true;
}

// ---- Drawing ---------------------------------------------------------------------------

void CNumSpin::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width(), h = height();
    const int half = h / 2;
    for (int arrow : {+1, -1}) {
        const QRect area = arrow > 0 ? QRect(0, 0, w, half) : QRect(0, half, w, h - half);
        const bool pressed = m_bHeld && m_nPressedArrow == arrow && m_bOverPressed;
        QLinearGradient face(0, area.top(), 0, area.bottom());
        face.setColorAt(0, pressed ? kPressedTop : kFaceTop);
        face.setColorAt(1, pressed ? kPressedBottom : kFaceBottom);
        painter.fillRect(area, face);
        painter.setPen(kBorder);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        // The arrow: a small triangle in the middle of its half.
        const QPointF c(area.center().x() + 0.5, area.center().y() + 0.5);
        const double s = std::min(w, area.height()) / 4.0;
        QPainterPath triangle;
        triangle.moveTo(c.x() - s, c.y() + arrow * s / 2);
        triangle.lineTo(c.x() + s, c.y() + arrow * s / 2);
        triangle.lineTo(c.x(), c.y() - arrow * s / 2);
        triangle.closeSubpath();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(triangle, !isEnabled() ? kArrowDisabled : pressed ? kArrowPressed : kArrow);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
}
