#pragma once
// The up-down arrows beside a numeric field (its buddy, a CNumEdit). The
// spin keeps its own copy of the position and the range, steps the buddy's
// count and tells its parent with WM_COMMAND (sent: wParam = the spin's id,
// lParam = the spin).
//
// A press on an arrow is a held press: one step at once, then a step every
// 100 ms from 500 ms on while the button stays down on that arrow; the
// parent is told at most once per 400 ms meanwhile (timer 550) and once
// more at the release. With the arrow-key style, Up and Down in the buddy
// step the spin and tell the parent at once; so does StepBy (the step
// button's way in).
//
// Step modes replace the plain step of one: frequency fields (8; also 4 and
// 9) move along the 241-point frequency grid, ratio fields (40) step by 5
// above 2.0:1, and delay fields (2) step their buddy's shown centimetres or
// inches by whole units on key and step-button steps and then post
// WM_SPIN_DELAY_STEP (wParam the spin's id, lParam the step) to the parent.
// The mode is the buddy's value type when SetRange is called, or
// SetStepMode's.
#include <QPointer>
#include <QWidget>

#include "controls/SpinStepTarget.h"
#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class CNumEdit;

class CNumSpin : public QWidget, public ISpinStepTarget {
    Q_OBJECT
public:
    // The template's up-down styles.
    enum : DWORD { UDS_ARROWKEYS = 0x0020 };
    explicit CNumSpin(QWidget* parent = nullptr, DWORD style = UDS_ARROWKEYS);

    virtual void SetBuddy(CNumEdit* buddy);
    virtual CNumEdit* GetBuddy() const;
    virtual void GetRange32(int& min, int& max) const;
    // Stores the range, gives it to the buddy (its count becomes the
    // minimum) and takes the buddy's value type as the step mode.
    virtual void SetRange(int min, int max);
    // The buddy's count (typed text read in).
    virtual int GetPos();
    // A value outside the range shows "Set Pos Error!" ("设定Pos错误!") and
    // is pulled to the nearer end; the buddy shows it, nobody is told.
    virtual void SetPos(int value);
    // The buddy's typed-text flag.
    virtual bool IsModified() const;
    void SetStepMode(int mode) { m_nStepMode = mode; }
    int GetStepMode() const { return m_nStepMode; }
    // One step as from the step button (no frequency or ratio modes), told
    // at once.
    void StepBy(int delta) override;
    // Moves the position to the next grid point beyond the nearest one, in
    // the direction it moved from the buddy's count.
    void SnapToFrequencyGrid();
    int GetBuddyValueType() const;
    void SetUserData(int data) { m_nUserData = data; }
    int GetUserData() const { return m_nUserData; }
    // The buddy's delay count, its commit run first.
    int GetDelayPos();

    bool IsHeld() const { return m_bHeld; }
    bool IsPending() const { return m_bPending; }

    enum : int { MODE_PLAIN = 0, MODE_DELAY = 2, MODE_FREQUENCY_4 = 4, MODE_FREQUENCY = 8, MODE_FREQUENCY_9 = 9,
                 MODE_RATIO = 40 };
    enum : UINT { TIMER_NOTIFY = 550, NOTIFY_PERIOD_MS = 400, TIMER_REPEAT = 551, REPEAT_DELAY_MS = 500,
                  REPEAT_PERIOD_MS = 100 };

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // One arrow step of delta (+1 up, -1 down), held or from a key.
    void OnDeltaPos(int delta);
    void OnTimer(UINT id);
    // The release: timers stopped, a pending change told.
    void EndHold();
    void NotifyParent();
    void PostDelayStep(int delta);
    // mode 2: the buddy steps its own shown unit from old.
    void StepDelay(int old, int delta);
    int Clamp(long long value) const;
    // +1 over the upper arrow, -1 over the lower, 0 outside.
    int ArrowAt(const QPoint& point) const;

    QPointer<CNumEdit> m_pBuddy;
    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    bool m_bHeld = false;
    bool m_bPending = false;
    int m_nStepMode = MODE_PLAIN;
    int m_nUserData = -1;
    bool m_bArrowKeys;
    int m_nPressedArrow = 0;  // the arrow held down
    bool m_bOverPressed = false;  // the pointer is over it
    CTimerMap m_timers;
};
