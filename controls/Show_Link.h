#pragma once
// The link-status lamp of the main window: a button that shows its text
// centred on a dark grey field (less 19 pixels at the right) and can blink
// the text between near-white and red, about a second each.
//
// How it draws follows its template's button type (see
// DrawKindOfButtonType): drawn by the lamp, as a plain button, or not at
// all. The lamp draws "at once" into a backing image (text changes, blink
// ticks, StopBlink); the paint event copies the image.
#include <QAbstractButton>
#include <QColor>

#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"
#include "platform/gui/TimerMap.h"

class CShow_Link : public QAbstractButton {
    Q_OBJECT
public:
    explicit CShow_Link(QWidget* parent = nullptr);

    // Reads the window style and decides how the lamp draws; call again
    // after the style changes.
    void PreSubclassWindow();

    // Sets the window text and draws it.
    void SetText(const QString& text);
    // Blinking on, phase 0; timer 1000 flips the phase every 1001 ms.
    void StartBlink();
    // Blinking off, phase 0, the timer stops, drawn at once in the normal
    // colour.
    void StopBlink();
    // The text font; it stays the caller's and must outlive the lamp. Null
    // draws in the window's font.
    void SetTextFont(const QFont* font) { m_pFont = font; }

    // Timer handler: a blink tick flips the phase and draws at once.
    void OnTimer(UINT id);

    enum : UINT { TIMER_BLINK = 1000, BLINK_PERIOD_MS = 1001 };
    int DrawKind() const { return m_nDrawKind; }
    bool IsBlinking() const { return m_bBlink; }
    int BlinkPhase() const { return m_nPhase; }
    bool IsTimerSet() const { return m_timers.IsTimerSet(TIMER_BLINK); }
    int TimerPeriod() const { return m_timers.Interval(TIMER_BLINK); }
    // The lamp as last drawn.
    const QImage& BackingImage() const { return m_backing.Image(); }

    static constexpr COLORREF kFieldColour = RGB(76, 76, 76);
    static constexpr COLORREF kTextColour = RGB(250, 250, 250);
    static constexpr COLORREF kBlinkOffColour = RGB(250, 250, 250);
    static constexpr COLORREF kBlinkOnColour = RGB(255, 0, 0);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Render();
    void DrawNow();

    int m_nDrawKind = 0;
    const QFont* m_pFont = nullptr;
    bool m_bBlink = false;
    int m_nPhase = 0;
    QString m_strRendered;
    CBackingImage m_backing;
    CTimerMap m_timers;
};
