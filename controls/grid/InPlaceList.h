#pragma once
// The in-place editor of a grid column that has a list of permitted texts: a
// combo box laid over the cell, four list lines high when dropped and as
// wide as its longest item needs. As a drop-down (CBS_DROPDOWN) it has an
// edit field, CInPlaceListEdit, that takes plain ASCII and is primed by the
// key that started the edit; as a drop-down list (CBS_DROPDOWNLIST) it has
// none. It opens on the item the cell's text begins with, else on that
// text.
//
// The edit ends when the editor loses the keyboard focus; Tab, Enter and
// Escape act when the key is released (Escape first restores the old text)
// and give the focus back to the grid, as Ctrl with an arrow or page key
// does; the plain arrows move through the list. At its end it sends the grid
// one NMGRIDITEM (WM_NOTIFY, LVN_ENDLABELEDITA) with the combo box's text and
// the key that ended it, then deletes itself once the event loop runs again.
#include <QComboBox>
#include <QString>
#include <QStringList>

#include "controls/grid/InPlaceEditing.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CInPlaceListEdit;

class CInPlaceList : public QComboBox, public CInPlaceEditing {
    Q_OBJECT
public:
    // Makes and shows the editor over rect (pParent's client coordinates)
    // for the cell (nRow, nColumn) holding sInitText, with the combo type in
    // dwStyle's low two bits and the items in order. nFirstChar primes a
    // drop-down's edit field: VK_LBUTTON or VK_RETURN leave the caret after
    // the text; VK_BACK removes the last character; 33 to 40 select the
    // whole text; any other character (Tab and space too) selects it and is
    // typed over it. Without a parent nothing is made and the object
    // deletes itself.
    CInPlaceList(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 const QStringList& items, const QString& sInitText, UINT nFirstChar);

    // Reports the combo box's text.
    void EndEdit() override;

    int GetDropLines() const { return m_nDropLines; }
    // The drop-down's edit field; null for a drop-down list.
    CInPlaceListEdit* Edit() const { return m_edit; }

    // The keys the edit field passes on (Ctrl with an arrow or a page key
    // down; Tab, Enter or Escape up).
    void OnKeyDown(UINT nChar);
    void OnKeyUp(UINT nChar);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class CInPlaceListEdit;
    // True when the focus now rests with this editor or its list.
    bool HoldsFocus() const;
    // Selects the first item the text begins with (case aside); false when
    // none does.
    bool SelectItemStartingWith(const QString& text);

    CInPlaceListEdit* m_edit = nullptr;
    int m_nDropLines = 4;
    bool m_bExitOnArrows = false;
};
