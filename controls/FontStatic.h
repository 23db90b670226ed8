#pragma once
// A label that draws its text itself: Arial at a cell height of its own, in
// a colour of its own, on one line centred vertically and aligned left,
// centred or right, over an optional solid fill; it can blink between
// near-white and red once a second.
//
// It draws "at once" into a backing image (colour changes and blinking
// repaint synchronously); the paint event copies the image. Without a fill
// the pixels around the text stay transparent, so the parent's skin shows.
// A font that cannot be made leaves the label without text and is reported
// once through the program's message box, never from the paint event.
#include <QColor>
#include <QLabel>

#include "controls/FontFailureNotice.h"
#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"
#include "platform/gui/TimerMap.h"

class CFontStatic : public QLabel {
    Q_OBJECT
public:
    explicit CFontStatic(QWidget* parent = nullptr);

    // The owner sets it to have the text wrap at word breaks (several
    // lines from the top); off after construction.
    bool m_bWordWrap = false;

    // Stores the height (the label always draws in Arial, whatever face);
    // only when text differs from the present colour it also takes the
    // colour, applies the style bits and repaints the parent's area.
    void SetFontStyle(const QString& face, int height, const QColor& text, DWORD style);
    // Stores the colour, redraws at once and repaints the parent's area.
    void SetTextColor(const QColor& colour);
    // Fill colour, fill on, redraws at once.
    void SetBkColor(const QColor& colour);
    // Sets the window text and repaints the parent's area.
    void SetText(const QString& text);
    // Character cell height in pixels; repaints the parent's area.
    void SetFontHeight(int pixels);
    // Set the one flag, without redraw; left wins over right.
    void SetAlignLeft(bool on) { m_bLeft = on; m_bDirty = true; }
    void SetAlignRight(bool on) { m_bRight = on; m_bDirty = true; }
    // The first two values are kept for the owner and never read.
    void SetValueFormat(int first, int second, int offset, const QString& unit);
    // SetText of v - offset in "%d", followed by the unit.
    void SetValue(int v);
    void StartBlink();
    void StopBlink();
    // Invalidates, with erase, the parent's rectangle under the label.
    void RedrawParentArea();

    // Style bits: 0x20 centre, else 0x80 right, else 0x40 left; none of the
    // three leaves all alignment flags clear, which draws centred.
    enum : DWORD { STYLE_CENTER = 0x20, STYLE_LEFT = 0x40, STYLE_RIGHT = 0x80 };
    enum : UINT { TIMER_BLINK = 1001, BLINK_PERIOD_MS = 1000 };

    QColor TextColor() const { return m_clrText; }
    int FontHeight() const { return m_nFontHeight; }
    bool IsBlinking() const { return m_bBlink; }
    // The label as last drawn.
    const QImage& BackingImage() const { return m_backing.Image(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyStyle(DWORD style);
    // Draws into the backing image.
    void Render();
    // Draws and repaints now.
    void Redraw();
    void OnTimer(UINT id);

    bool m_bFill = false;
    bool m_bCenter = true;
    bool m_bLeft = false;
    bool m_bRight = false;
    QColor m_clrText{0, 0, 0};
    QColor m_clrFill;
    int m_nFontHeight = 14;
    int m_nValueFirst = 0;
    int m_nValueSecond = 0;
    int m_nValueOffset = 0;
    QString m_strValueUnit;
    bool m_bBlink = false;
    bool m_bBlinkPhase = false;

    bool m_bDirty = true;
    QString m_strRendered;
    CFontFailureNotice m_fontNotice;
    CBackingImage m_backing;
    CTimerMap m_timers;
};
