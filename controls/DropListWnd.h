#pragma once
// The popup of a drop-list button: a frameless window on top, owned by the
// button, holding the list. It is created hidden; only a shown popup is
// open. A pick hides it; when the cursor is then inside the popup, the pick
// goes to the button as WM_COMBOBTN_SELCHANGE (sent, wParam the index),
// else the list goes back to its remembered index. The popup also closes
// when the list loses the keyboard focus.
#include <QRect>
#include <QWidget>

class CDropListBox;

class CDropListWnd : public QWidget {
    Q_OBJECT
public:
    explicit CDropListWnd(QWidget* ownerButton);

    // Makes the list; false when it cannot be made.
    bool Create();
    CDropListBox* List() const { return m_pList; }
    QWidget* Owner() const { return m_pOwner; }
    // Opens the popup under a button (screen rectangle), width pixels wide,
    // overlapping the button's last pixel row: as high as its items, at
    // most cap pixels (cap for an empty list). With openUpward, a popup that
    // would pass the foot of the screen's work area opens above the button
    // instead. The list takes the keyboard focus. Returns the popup's
    // screen rectangle.
    QRect ShowUnder(const QRect& button, int width, int cap, bool openUpward);
    // The owner button was pressed: an open list closes. True when a closed
    // list is to open, which is not the case when this very press closed
    // it (the list lost the focus to the press over its owner).
    bool OwnerPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSelChange();
    void OnListFocusLost();

    QWidget* m_pOwner;
    CDropListBox* m_pList = nullptr;
    bool m_bClosedOverOwner = false;
};
