#pragma once
// A small skinned button that lies over a read-only numeric field and steps
// its value with the mouse. Its face is split into three hot zones from left
// to right: down (2/11 of the width), middle and up (2/11). While the button
// is active the zone under the pointer is lit (one bitmap of the whole face
// per lit zone). Holding the left button on the down or up zone steps the
// buddy spin every 100 ms once the pointer rested (1000 ms after a press
// without movement, 1 ms after the next movement); a double click steps
// once; a short click steps nothing.
//
// The field owns the button, shows it while read-only, activates it while it
// holds the focus and copies its text into the button's caption, drawn in
// white over the face. A press posts WM_LBUTTONDOWN (0, 0) to the field; the
// Up and Right keys hand the focus back to it. The wheel never steps, and
// the cursor stays the arrow.
#include <QAbstractButton>
#include <QColor>
#include <QTimer>

#include "controls/SpinStepTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/InterfacePtr.h"
#include "platform/gui/TimerMap.h"

class CSpinBtn : public QAbstractButton {
    Q_OBJECT
public:
    // style: the button's template style; its type decides how it draws.
    explicit CSpinBtn(QWidget* parent = nullptr, DWORD style = 0);

    // Decides from the template style how the button draws, as every
    // skinned button does.
    void PreSubclassWindow(DWORD style);

    // The idle face and the faces with the down, middle or up zone lit. The
    // button takes the idle face's size and splits it into its zones.
    void SetBitmaps(UINT idle, UINT downZone, UINT middle, UINT upZone);
    void SetDisabledBitmap(UINT id);
    // Active: zone tracking and stepping on, the middle lit; inactive: idle.
    void SetActive(bool active);
    bool IsActive() const { return m_bActive; }
    // The spin that the end zones step, with its control id.
    void SetBuddy(UINT id, ISpinStepTarget* spin);

    enum : int { ZONE_NONE = 0, ZONE_DOWN = 1, ZONE_MIDDLE = 2, ZONE_UP = 3 };
    int HotZone() const { return m_nHotZone; }
    // The zone's rectangle in client coordinates (ZONE_DOWN to ZONE_UP).
    CRect ZoneRect(int zone) const;
    bool IsPressed() const { return m_bPressed; }
    bool HasFocusFlag() const { return m_bFocus; }

    enum : UINT { TIMER_REPEAT = 2, REPEAT_PERIOD_MS = 100, HOVER_AFTER_MOVE_MS = 1, HOVER_AFTER_PRESS_MS = 1000 };
    bool IsRepeating() const { return m_timers.IsTimerSet(TIMER_REPEAT); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int ZoneAt(const QPoint& point) const;
    void SetHotZone(int zone);
    // Asks for one hover notice after ms of rest (a new request replaces
    // the waiting one).
    void RequestHover(int ms);
    void OnMouseHover();
    void OnMouseLeave();
    void OnTimer(UINT id);
    void Step();
    void PaintBitmap(QPainter& painter, UINT id);
    void DrawButton(QPainter& painter);

    int m_nDrawKind = 0;  // DrawKindOfButtonType
    UINT m_nZoneBitmap[4] = {0, 0, 0, 0};
    UINT m_nDisabledBitmap = 0;
    QColor m_clrText{255, 255, 255};
    QColor m_clrDisabledText{155, 155, 155};
    bool m_bFocus = false;
    bool m_bActive = false;
    bool m_bPressed = false;
    CRect m_rcZone[3];
    int m_nHotZone = ZONE_NONE;
    UINT m_nBuddyId = 0;
    CInterfacePtr<ISpinStepTarget> m_pBuddy;
    bool m_bBuddyBound = false;
    QTimer m_hover;
    CTimerMap m_timers;
};
