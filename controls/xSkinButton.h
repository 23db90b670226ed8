#pragma once
// A skinned button of any shape: up to six bitmaps (normal, pressed, hover,
// disabled, focus and a mask). Every mask pixel that is not white belongs
// to the button; the white ones are cut out of the window (the parent shows
// through and takes the mouse there). The caption is drawn centred in the
// button's own font, red while hovered or pressed.
//
// The button keeps its own check flag, read and set with BM_GETCHECK and
// BM_SETCHECK (sent through SendMessage), and its kind comes from the
// template's button type: auto check boxes ((type & 3) == 3) toggle on a
// release over the button or on Space, auto radio buttons ((type & 9) == 9)
// check themselves and post WM_SKINBTN_UNCHECK to the other buttons of
// their dialog group; every other type is a push button that cannot be
// checked.
//
// The pushed look is Qt's down state: it follows the pointer while the left
// button is held (on and off the button's shape). The hover look starts
// with a move while not pressed and ends on leaving or pressing. With
// repeat on, the button posts WM_OPERATION_DONE (0x52C: control id, repeat
// value) to its parent every 200 ms while pressed.
#include <optional>

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>

#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class CxSkinButton : public QAbstractButton, public CMsgTarget {
    Q_OBJECT
public:
    enum : int { KIND_PUSH = 0, KIND_CHECK = 2, KIND_RADIO = 4 };
    enum : short { DRAW_COPY = 0, DRAW_STRETCH = 1, DRAW_TILE = 2 };
    enum : UINT { TIMER_REPEAT = 6, REPEAT_PERIOD_MS = 200 };

    // style: the template's style; its button type gives the kind.
    explicit CxSkinButton(QWidget* parent = nullptr, DWORD style = 0);
    ~CxSkinButton() override;

    // The kind from the button type; the style keeps BS_OWNERDRAW.
    void PreSubclassWindow(DWORD style);

    // Loads the skin (ids of "BMP" images; 0 for none; a disabled id of 0
    // takes the normal image). drawMode: DRAW_COPY (1:1), DRAW_STRETCH or
    // DRAW_TILE, clamped to these; border: draw a 3-D edge; focusMargin:
    // the inset of the focus frame and of the caption (negative counts as
    // 0). A mask shapes the window; with DRAW_COPY the button also takes
    // the mask's size. A mask that is white all over hides the button (it
    // paints nothing and lets the mouse through) until the next SetSkin.
    void SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask, short drawMode,
                 short border, short focusMargin);

    // Returns the previous normal text colour.
    COLORREF SetTextColor(COLORREF colour);
    void SetToolTipText(const QString& text);
    // Only once a tooltip text was set.
    void SetToolTipColor(COLORREF text, COLORREF background);
    void EnableRepeat(int value);
    // Clears the check and pressed flags.
    void ResetState();
    // Ends a press: the pushed look and the repeat go.
    void CancelPress();

    // The shape of the non-transparent pixels: one rectangle per run of
    // such pixels within a row (only the RGB part is compared). Nothing for
    // a null bitmap; an empty region when every pixel is transparent.
    static std::optional<QRegion> RegionFromBitmap(const QImage& bitmap, QRgb transparent);

    // BM_GETCHECK, BM_SETCHECK, BM_SETSTATE, WM_SKINBTN_UNCHECK.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Timer 6 posts the repeat message; other ids are ignored.
    void OnTimer(UINT id);

    int GetKind() const { return m_nKind; }
    bool GetCheckFlag() const { return m_bChecked; }
    bool IsHover() const { return m_bHover; }
    bool IsPressedFlag() const { return m_bPressed; }
    // True while an all-white mask hides the button.
    bool IsShapeHidden() const { return m_bShapeHidden; }
    int GetBorder() const { return m_nBorder; }
    short GetDrawMode() const { return m_nDrawMode; }

protected:
    bool hitButton(const QPoint& pos) const override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DrawItem(QPainter& painter);
    void DrawBitmap(QPainter& painter, const QImage& image, const CRect& r) const;
    LRESULT OnSetCheck(WPARAM check);
    LRESULT OnSkinUncheck();
    void EndPress();

    int m_nKind = KIND_PUSH;
    bool m_bChecked = false;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bToolTip = false;
    bool m_bToolTipColours = false;
    QColor m_clrToolTipText;
    QColor m_clrToolTipBack;
    QImage m_bmpNormal, m_bmpPressed, m_bmpDisabled, m_bmpMask, m_bmpHover, m_bmpFocus;
    short m_nFocusMargin = 0;
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrHoverText = RGB(255, 0, 0);
    bool m_bShapeHidden = false;
    int m_nBorder = 0;  // no edge until a skin says otherwise
    short m_nDrawMode = DRAW_STRETCH;
    QFont m_font;
    bool m_bRepeat = false;
    int m_nRepeatValue = 0;
    CTimerMap m_timers;
};
