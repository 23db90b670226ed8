#pragma once
// What the drop-list buttons share: a popup list (CDropListWnd) that a click
// opens under the button and the next click closes, and a pick from it that
// puts the item's text on the button, posts WM_COMBOBTN_SELCHANGE (wParam
// the notify id, lParam the index) to the button's parent and becomes the
// list's remembered index. Each button draws its own face.
#include <QAbstractButton>
#include <QRect>

#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"
#include "platform/gui/LogFont.h"

class CDropListBox;
class CDropListWnd;

class CDropListButton : public QAbstractButton, public CMsgTarget {
    Q_OBJECT
public:
    CDropListWnd* DropList() const { return m_pPopup; }
    // The popup's list, or null before the popup is made.
    CDropListBox* List() const;
    bool IsDropped() const;
    bool IsHover() const { return m_bHover; }
    // The popup's screen rectangle of the last opening.
    QRect DropRect() const { return m_rcDrop; }

    // WM_COMBOBTN_SELCHANGE from the popup: wParam the picked index.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // A popup at most dropHeight pixels high; with openUpward it opens above
    // the button where the screen's work area ends below it.
    CDropListButton(QWidget* parent, int dropHeight, bool openUpward);

    // Makes the popup once, for a list as wide as the button now is whose
    // items take itemFont (the first font given stays); picks go to the
    // parent with nNotifyId. False when the popup cannot be made.
    bool MakeDropList(UINT nNotifyId, const LOGFONT& itemFont);
    // A left press takes the focus and opens a closed list or closes an
    // open one; the face then shows the press.
    void mousePressEvent(QMouseEvent* event) override;

    // The face after a press, and after a pick has put its text on the
    // button.
    virtual void ShowPressed() = 0;
    virtual void ShowPicked() = 0;

    bool m_bHover = false;
    UINT m_nNotifyId = 0;
    CDropListWnd* m_pPopup = nullptr;

private:
    void ShowDropList();

    const int m_nDropHeight;
    const bool m_bOpenUpward;
    int m_nDropWidth = 0;
    QRect m_rcDrop;
};
