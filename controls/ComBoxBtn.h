#pragma once
// The program's combo box: a skinned button showing the chosen item's text
// on a bitmap face; a click opens a popup list under it (above it when the
// screen's work area ends below). A pick puts the item's text on the button
// and posts WM_COMBOBTN_SELCHANGE (wParam the notify id, lParam the index)
// to the button's parent.
//
// The wheel steps the selection (one step per 120 of delta, summed) and
// posts the same message. With move notification on, a move over the
// button to a new point sends WM_CONTROL_HOVER to the parent: wParam -1
// while the list is open (the list then takes the keyboard focus), else the
// mouse key flags, only while the button has not the focus.
#include <QColor>
#include <QFont>
#include <QPoint>

#include "controls/DropListButton.h"
#include "platform/core/Types.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LogFont.h"

class CComBoxBtn : public CDropListButton {
    Q_OBJECT
public:
    explicit CComBoxBtn(QWidget* parent = nullptr, DWORD style = 0);
    ~CComBoxBtn() override;

    // Push buttons are drawn by the class; (type & 3) == 3 gets the default
    // look; auto radio buttons are not drawn.
    void PreSubclassWindow(DWORD style);

    // The faces; the button takes the normal face's size.
    void SetBitmaps(UINT normalId, UINT hoverId);
    // Makes the popup (hidden) for a list as wide as the button now is.
    // Picks are posted to the parent with nNotifyId.
    bool CreateDropList(QWidget* pNotify, UINT nNotifyId);
    int AddString(const QString& text);
    int InsertString(int index, const QString& text);
    void ResetContent();
    void EnableMoveNotify(bool on) { m_bMoveNotify = on; }
    // Selects item n and shows its text; posts nothing and leaves the
    // list's remembered pick. On an empty list nothing happens; an index
    // outside the list clears the selection and keeps the text.
    void SetCurSel(int n);
    int GetCurSel() const;
    void SetHighlight(bool on);
    void SetDisabledBitmap(UINT id);
    void SetHighlightFace(UINT bitmapId, COLORREF crText);
    void SetTextColors(COLORREF normal, COLORREF hover);
    // The fonts stay the caller's and must outlive the button.
    void SetFonts(const QFont* normal, const QFont* hover);

    // The bitmap id the present state shows.
    UINT CurrentBitmapId() const;

    enum : int { DROP_HEIGHT = 130 };

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    void ShowPressed() override;
    void ShowPicked() override;

private:
    struct Face {
        UINT bitmap;
        const QFont* font;
        COLORREF colour;
    };

    Face ChooseFace() const;
    // Takes the size of the present face's bitmap and repaints.
    void UpdateFace();

    int m_nKind = DRAW_BY_CLASS;
    UINT m_nNormal = 0, m_nHover = 0, m_nHighlightFace = 0, m_nDisabled = 0;
    COLORREF m_clrNormal = RGB(255, 255, 255);
    COLORREF m_clrHover = RGB(255, 255, 255);
    COLORREF m_clrHighlight = RGB(255, 0, 0);
    COLORREF m_clrDisabled = RGB(155, 155, 155);
    LOGFONT m_lfFont;
    QFont m_fontOwn;
    const QFont* m_pFontNormal;
    const QFont* m_pFontHover;
    bool m_bHighlight = false;
    QWidget* m_pNotify = nullptr;
    int m_nWheel = 0;
    bool m_bMoveNotify = false;
    QPoint m_ptLastMouse{-1, -1};
};
