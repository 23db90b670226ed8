#pragma once
// A fader drawn from bitmaps: a channel (the track) fills the control, an
// optional active channel replaces the track between the start of the travel
// and the thumb, and a thumb (with an optional active variant) moves along
// the travel. The control keeps an integer position from 0 to a maximum,
// turns positions into values by a scale type, and tells its parent what the
// user did:
//
//   WM_SLIDER_MOVING (posted, wParam id, lParam position) on gaining the
//     focus, and at most every 50 ms during a press when the thumb moved;
//   WM_SLIDER_MOVED (posted, wParam id, lParam position) on the button's
//     release, after each handled key and after each wheel turn;
//   WM_CONTROL_HOVER (sent, wParam mouse key flags, lParam id) on a move to a
//     new point while not dragging, once switched on.
//
// Bitmaps drawn "transparent" lose the pixels of their key colour (a given
// colour, or with CLR_DEFAULT the colour of the pixel at (x, y)): each
// picture is made paint-ready once, when it is loaded. A transparent or
// absent channel leaves the control see-through, so the parent shows around
// the thumb; an opaque channel covers the control.
//
// Every setter that changes the look repaints later (update); SetValue
// repaints at once. The window's size changes only with the channel bitmap.
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "graphs/FocusLookBuddy.h"
#include "model/BandFader.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class CNumEdit;

class CBitmapSlider : public QWidget, public CMsgTarget, public CBandFader, public IFocusLookBuddy {
    Q_OBJECT
public:
    explicit CBitmapSlider(QWidget* parent = nullptr);
    ~CBitmapSlider() override;

    // ---- Bitmaps ---------------------------------------------------------
    // Loads the channel (and the active channel when activeId is not 0),
    // keyed when transparent, and sizes the control to the channel. id 0
    // removes the channel bitmaps and returns true. False when a bitmap
    // cannot be loaded; the control then has no channel.
    bool SetChannelBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    // The same for the thumb, without resizing; true at once when id is the
    // thumb already loaded. id 0 removes the thumb bitmaps.
    bool SetThumbBitmaps(UINT id, UINT activeId, bool transparent, COLORREF clrTransparent, int x, int y);
    // The picture drawn in the thumb's place while the control is disabled
    // or has no thumb. The thumb's key mask is taken from it from now on
    // (key colour: its pixel (0, 0)).
    void SetDisabledThumbBitmap(UINT id);

    // ---- Range, position, value ---------------------------------------------
    void SetRange(int min, int max, bool redraw);
    void SetMax(int max, bool redraw);
    // The minimum stays 0 whatever min is.
    void SetMin(int min, bool redraw);
    int GetMax() const { return m_nMax; }
    int GetMin() const { return m_nMin; }
    // Stores pos clamped to [0, maximum].
    void SetPos(int pos);
    int GetPos() const { return m_nPos; }
    // Position = maximum - v, not clamped / maximum - position.
    void SetReversedPos(int v);
    int GetReversedPos() const;
    // Step of PageUp and PageDown; returns the previous step.
    int SetPageSize(int page);
    void SetMargin(int left, int top, int right, int bottom);
    void SetMarginLeft(int margin) { m_nMarginLeft = margin; }
    void SetMarginTop(int margin) { m_nMarginTop = margin; }
    void SetMarginRight(int margin) { m_nMarginRight = margin; }
    void SetMarginBottom(int margin) { m_nMarginBottom = margin; }
    void SetVertical(bool vertical) { m_bVertical = vertical; }
    void SetScaleType(int type) { m_nScaleType = type; }
    int GetScaleType() const { return m_nScaleType; }
    // The position of v by the scale type, not clamped; repaints at once.
    void SetValue(int v) override;
    int GetValue() const;
    // Frequency scale types: the position of the grid point nearest to hz;
    // then, for every type, the position is clamped.
    void SetFrequency(int hz) override;
    // Whole hertz of the grid point of the position.
    int GetFrequency() const;

    // ---- Behaviour -------------------------------------------------------------
    // Disabled, the control ignores mouse buttons, keys and the wheel and
    // shows the disabled thumb; disabling ends a drag.
    void Enable(bool enable);
    bool IsEnable() const { return m_bEnabled; }
    // Kept for the owner; the fader draws no focus rectangle.
    void SetDrawFocusRect(bool on, bool redraw);
    void EnableMoveNotify(bool on) { m_bMoveNotify = on; }
    // The edit lit while the fader holds the focus (may be null).
    void SetBuddyEdit(CNumEdit* edit);
    // When it differs from the focused look: stores it and repaints.
    void SetFocusLook(bool on) override;
    bool IsFocusLook() const { return m_bFocused; }
    bool IsDragging() const { return m_bDragging; }
    // The thumb picture's id, 0 before any.
    UINT ThumbBitmapId() const { return m_nThumbId < 0 ? 0 : UINT(m_nThumbId); }

    // WM_SLIDER_TAKE_FOCUS: takes the focus and shows the focused look.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Geometry (the thumb centre along the travel) ----------------------
    int Travel() const;
    // Pixel of a position; the travel's start when the travel or the range
    // is empty.
    int PixelOfPosition(int pos) const;
    // Position of a pixel; 0 when the travel or the range is empty.
    int PositionOfPixel(int pixel) const;
    QRect ThumbRect() const;

    enum : int {
        SCALE_LEVEL = 0,         // max - p
        SCALE_FREQUENCY = 1,     // max - p; frequency grid index max - p
        SCALE_FREQUENCY_HIGH = 2,  // max - p; frequency grid index max + 192 - p
        SCALE_GAIN = 10,         // max - p + 80
        SCALE_MIX = 33,          // p
        SCALE_PLUS_20 = 34,      // p + 20
    };
    enum : UINT { TIMER_PRESS = 5, PRESS_PERIOD_MS = 50 };

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnTimer(UINT id);
    int ClampPos(long long pos) const;
    int TravelStart() const;
    int ThumbExtent() const;
    int ChannelExtent() const;
    int Along(const QPoint& point) const;
    // The pixel the thumb centre would take for a pointer coordinate.
    int TargetPixel(int coordinate) const;
    void PostToParent(UINT message);
    // Thumb and disabled thumb, drawn through the thumb mask when the thumb
    // is transparent.
    void RebuildThumbImages();
    void UpdateOpacity();

    QPointer<CNumEdit> m_pBuddy;
    int m_nScaleType = SCALE_LEVEL;
    bool m_bMoveNotify = false;
    QPoint m_ptLastHover{-1, -1};
    int m_nMax = 100;
    int m_nMin = 0;
    int m_nPos = 0;
    int m_nPage = 13;
    int m_nChannelWidth = 0, m_nChannelHeight = 0;
    int m_nThumbWidth = 0, m_nThumbHeight = 0;
    int m_nMarginLeft = 0, m_nMarginRight = 0, m_nMarginTop = 0, m_nMarginBottom = 0;
    int m_nDragOffset = 0;
    bool m_bMoved = false;
    bool m_bVertical = true;
    bool m_bChannelActive = false, m_bThumbActive = false;
    bool m_bChannelTransparent = false, m_bThumbTransparent = false;
    bool m_bThumb = false, m_bChannel = false;
    bool m_bDragging = false;
    bool m_bFocused = false;
    bool m_bDrawFocusRect = true;
    bool m_bEnabled = true;
    // Paint-ready pictures (premultiplied, key pixels transparent).
    QImage m_channel, m_channelActive;
    QImage m_thumbPicture, m_thumbMask;  // as loaded; 0 in the mask = transparent
    QImage m_thumb, m_thumbActive;
    QImage m_disabledPicture, m_disabledThumb;
    long long m_nThumbId = -1;
    CTimerMap m_timers;
};
