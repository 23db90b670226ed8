#pragma once
// The skinned push button of nearly every page: one bitmap per visual state
// (normal, hover and pressed, each unchecked and checked; disabled unchecked
// and checked; an optional highlight), with the caption drawn over it in a
// colour and font chosen per state. The check state is the owner's flag: a
// click never changes it.
//
// The button takes the size of its state bitmap whenever a bitmap or a
// state changes; its paint only draws. A state whose bitmap id is 0, or
// names no bitmap, is a button-face area of the present size, framed as a
// raised button (sunken while pressed) unless the button is disabled.
//
// Messages to the parent (when the parent is a CMsgTarget): WM_COMMAND
// BN_CLICKED on a click; WM_CONTROL_HOVER on mouse moves once switched on;
// and for the output strips' link-group button (control id 2830) posted
// WM_LINK_BUTTON_CLICK with 513 (single click, about 210 ms after the
// press), 515 (double click) or 516 (right press).
#include <QColor>
#include <QImage>

#include "controls/SkinButton.h"
#include "platform/core/Types.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/TimerMap.h"

class CMsgTarget;
class QFont;

class CBitButton : public CSkinButton {
    Q_OBJECT
public:
    // style: the button's template style (type in the low bits, caption
    // alignment in BS_LEFT/BS_RIGHT/BS_CENTER).
    explicit CBitButton(QWidget* parent = nullptr, DWORD style = 0);

    // Decides from the template style how the button draws: button types
    // with (type & 3) == 3 get the default look, auto radio buttons are not
    // drawn, every other type is drawn from the bitmaps.
    void PreSubclassWindow(DWORD style);

    void SetBitmaps(UINT normal, UINT hover, UINT down, UINT checkedNormal, UINT checkedHover, UINT checkedDown);
    void SetCheckedBitmap(UINT id);
    void SetDisabledBitmaps(UINT unchecked, UINT checked);
    void SetHighlightBitmaps(UINT unchecked, UINT checked);
    void SetHighlight(bool on);
    void SetTextColors(const QColor& normal, const QColor& hover, const QColor& down, const QColor& checkedNormal,
                       const QColor& checkedHover, const QColor& checkedDown);
    // Fonts stay the caller's and must outlive the button; null keeps the
    // button's own font.
    void SetFonts(const QFont* normal, const QFont* hover, const QFont* down, const QFont* checkedNormal,
                  const QFont* checkedHover, bool checkedDownAsDown);
    void SetDisabledTextColor(const QColor& colour);
    void SetDisabledFont(const QFont* font);
    // DT_LEFT, DT_CENTER or DT_RIGHT.
    void SetDisabledTextFormat(UINT format);
    void SetDisabledTextIndent(int pixels);
    void SetTextTopOffset(bool on, int offset);

    void SetCheck(bool check);

    // The whole source scaled to cx by cy pixels.
    static QImage StretchBitmap(const QImage& source, int cx, int cy);
    // Paints bitmap id scaled to the button at (0, 0) and returns true; a
    // flat button-face area when id is 0 or names no bitmap (false).
    static bool PaintBitmap(QPainter& painter, const QWidget* button, UINT id);

    // The bitmap id the present state shows.
    UINT CurrentBitmapId() const;

    QSize sizeHint() const override;

    // The link-group button's control id and its timers.
    enum : UINT { LINK_BUTTON_ID = 2830, TIMER_LINK_CLICK = 501, TIMER_LINK_POST = 502 };

protected:
    void FaceChanged() override { UpdateFace(); }
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Face {
        UINT bitmap;
        const QFont* font;
        QColor colour;
    };

    Face ChooseFace() const;
    // Takes the size of the present state's bitmap and repaints.
    void UpdateFace();
    void DrawButton(QPainter& painter);
    void OnTimer(UINT id);
    bool IsLinkButton() const;
    void PostLinkClick(CMsgTarget* parent, WPARAM kind);

    int m_nDrawKind = DRAW_BY_CLASS;
    UINT m_nNormal = 0, m_nHover = 0, m_nDownId = 0, m_nHighlight = 0;
    QColor m_clrNormal, m_clrHover, m_clrDown;
    const QFont* m_pFontNormal = nullptr;
    const QFont* m_pFontHover = nullptr;
    const QFont* m_pFontDown = nullptr;
    CMsgTarget* m_pLinkParent = nullptr;
    UINT m_nCheckedNormal = 0, m_nCheckedHover = 0, m_nCheckedDown = 0, m_nCheckedHighlight = 0;
    QColor m_clrCheckedNormal, m_clrCheckedHover, m_clrCheckedDown;
    const QFont* m_pFontCheckedNormal = nullptr;
    const QFont* m_pFontCheckedHover = nullptr;
    const QFont* m_pFontCheckedDown = nullptr;
    const QFont* m_pFontDisabled = nullptr;
    UINT m_nDisabledChecked = 0, m_nDisabledUnchecked = 0;
    QColor m_clrDisabled;
    UINT m_nDisabledFormat;
    bool m_bHighlight = false;
    UINT m_nAlign;
    bool m_bTopOffset = false;
    int m_nTopOffset = 4;
    int m_nDisabledIndent = 0;
    CTimerMap m_timers;
};
