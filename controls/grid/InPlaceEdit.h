#pragma once
// The grid's in-place editor: a one-line edit laid exactly over a cell. It
// opens focused and primed by the key that started the edit, takes at most
// eight characters of plain ASCII from the user, grows to the right while the
// text outgrows it (never past the grid's client area), and ends when it
// loses the keyboard focus: Tab, Enter and Escape (which first restores the
// old text) give the focus back to the grid, and so do the arrow and page
// keys in an edit started by a key (with Ctrl in one started by the mouse).
// At its end it sends the grid one NMGRIDITEM (WM_NOTIFY, LVN_ENDLABELEDITA)
// with the text and the key that ended it, then deletes itself once the
// event loop runs again. The grid keeps no pointer to it.
//
// Enter, Escape and Tab never reach the dialog around the grid; Alt+key
// does nothing while the editor has the focus, and the editor has no
// context menu.
#include <QLineEdit>
#include <QString>

#include "controls/grid/InPlaceEditing.h"
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class CInPlaceEdit : public QLineEdit, public CInPlaceEditing {
    Q_OBJECT
public:
    enum : int { TEXT_LIMIT = 8 };

    // Makes and shows the editor over rect (pParent's client coordinates)
    // with the style bits dwStyle (ES_CENTER, ES_RIGHT) and control id nID,
    // for the cell (nRow, nColumn) holding sInitText. nFirstChar is the key
    // that started the edit: VK_LBUTTON (the mouse) or VK_RETURN leave the
    // caret after the text; VK_BACK removes the last character; VK_TAB and
    // 32 to 40 select the whole text; any other character selects it and is
    // typed over it. pParent is the grid, which hears the end; without one
    // nothing is made and the object deletes itself.
    CInPlaceEdit(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 const QString& sInitText, UINT nFirstChar);

    void EndEdit() override;

    // The editor's rectangle in the grid's client coordinates.
    const CRect& GetEditRect() const { return m_rcEdit; }
    // Every key, Tab, Enter and Escape included.
    UINT OnGetDlgCode() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // The arrow and page keys that end the edit; true when the key did.
    bool OnKeyDown(UINT nChar);
    // Tab, Enter and Escape end the edit; other characters are the edit's.
    void OnChar(UINT nChar);

private:
    // Types one character as the user would (through the input filter).
    void ReplayChar(UINT nChar);
    // Wider when the text needs it.
    void Grow();

    bool m_bExitOnArrows;
    CRect m_rcEdit;
};
