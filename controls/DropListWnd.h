#pragma once
// The popup of a drop-list button: a frameless window on top, owned by the
// button, holding the list. It is created hidden; only a shown popup is
// open. A pick hides it; when the cursor is then inside the popup, the pick
// goes to the button as WM_COMBOBTN_SELCHANGE (sent, wParam the index),
// else the list goes back to its remembered index. The popup also closes
// when the list loses the keyboard focus.
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
    // True when the last close came from a focus loss while the cursor was
    // over the owner button: that click closed the list and must not open
    // it again. Reading clears it.
    bool TakeClosedOverOwner();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSelChange();
    void OnListFocusLost();

    QWidget* m_pOwner;
    CDropListBox* m_pList = nullptr;
    bool m_bClosedOverOwner = false;
};
