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
#include <QColor>
#include <QFont>

#include "controls/DropListButton.h"
#include "platform/core/Types.h"

class CDropBtn : public CDropListButton {
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

    QColor BackColour() const { return m_clrBack; }
    QColor HotColour() const { return m_clrHot; }
    QColor ArrowColour() const { return m_clrArrow; }
    QColor TextColour() const { return m_clrText; }
    const QFont& TextFont() const;

    // The triangle's corners for an "M" w pixels wide whose top is y.
    static void ArrowPoints(int x, int y, int w, QPoint out[3]);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void ShowPressed() override;
    void ShowPicked() override;

private:
    void EnterHover();
    void SetHover(bool hover);
    // While the popup is shown: a move outside both the button and the
    // popup closes it.
    void WatchPointer(bool on);

    QColor m_clrBack;
    QColor m_clrHot;
    QColor m_clrArrow;
    QColor m_clrText;
    QFont m_fontOwn;
    const QFont* m_pFont = nullptr;
    bool m_bWatching = false;
};
