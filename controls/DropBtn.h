#pragma once
// A drop-down button drawn flat: a framed block in the face colour (the hot
// colour while the pointer is over it), the chosen item's text on the left
// and a small down-pointing triangle on the right. A click opens the same
// popup list as the drop-list button (CDropListWnd), always under the
// button and at most 100 pixels high; a pick puts the item's text on the
// button and posts WM_COMBOBTN_SELCHANGE (wParam the notify id, lParam the
// index) to the parent.
//
// Items go into the popup's list (List()). Setup must have succeeded before
// the button does more than show its hover look.
#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QRect>

#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CDropListBox;
class CDropListWnd;

class CDropBtn : public QAbstractButton, public CMsgTarget {
    Q_OBJECT
public:
    enum : int { DROP_HEIGHT = 100 };
    static constexpr COLORREF kDefaultBack = RGB(255, 217, 205);
    static constexpr COLORREF kDefaultHot = RGB(233, 229, 255);
    static constexpr COLORREF kDefaultArrow = RGB(0, 255, 0);
    static constexpr COLORREF kDefaultText = RGB(0, 0, 0);

    explicit CDropBtn(QWidget* parent = nullptr);
    ~CDropBtn() override;

    // Colours (COLORREF(-1) for the defaults; a default face also takes
    // the default hot colour) and the font (null: the button's own Arial
    // of cell height 15; a given font stays the caller's and must outlive
    // the button). Makes the popup for a list as wide as the button now is.
    // False when the popup cannot be made.
    bool Setup(UINT nNotifyId, COLORREF crBack, COLORREF crHot, COLORREF crArrow, COLORREF crText,
               const QFont* pFont);

    CDropListWnd* DropList() const { return m_pPopup; }
    // The popup's list, or null before Setup.
    CDropListBox* List() const;
    bool IsDropped() const;
    bool IsHover() const { return m_bHover; }
    // The popup's screen rectangle of the last opening.
    QRect DropRect() const { return m_rcDrop; }
    QColor BackColour() const { return m_clrBack; }
    QColor HotColour() const { return m_clrHot; }
    QColor ArrowColour() const { return m_clrArrow; }
    QColor TextColour() const { return m_clrText; }
    const QFont& TextFont() const;

    // The triangle's corners for an "M" w pixels wide whose top is y.
    static void ArrowPoints(int x, int y, int w, QPoint out[3]);

    // WM_COMBOBTN_SELCHANGE from the popup: wParam the picked index.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void ShowDropList();
    void EnterHover();
    void SetHover(bool hover);
    // While the popup is shown: a move outside both the button and the
    // popup closes it.
    void WatchPointer(bool on);

    int m_nDropWidth = 0;
    int m_nDropHeight = DROP_HEIGHT;
    UINT m_nNotifyId = 0;
    bool m_bHover = false;
    QRect m_rcDrop;
    QColor m_clrBack;
    QColor m_clrHot;
    QColor m_clrArrow;
    QColor m_clrText;
    QFont m_fontOwn;
    const QFont* m_pFont = nullptr;
    CDropListWnd* m_pPopup = nullptr;
    bool m_bWatching = false;
};
