#pragma once
// What each in-place editor of a grid knows of its edit: the grid that
// hears its end, the cell, the text it began with, the key that ended it,
// and whether it has ended. The editors (CInPlaceEdit, CInPlaceList) are
// widgets of their own kinds that share this.
#include <QPointer>
#include <QString>

#include "platform/core/Types.h"

class QWidget;

class CInPlaceEditing {
public:
    CInPlaceEditing(QWidget* grid, int row, int column, const QString& initText);
    virtual ~CInPlaceEditing() = default;
    CInPlaceEditing(const CInPlaceEditing&) = delete;
    CInPlaceEditing& operator=(const CInPlaceEditing&) = delete;

    // Reports the text to the grid (once) and closes.
    virtual void EndEdit() = 0;
    // The grid is going: end without a word to it.
    void Detach();

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    // The key that ended the edit, 0 until one does.
    UINT GetLastChar() const { return m_nLastChar; }

protected:
    // Ends the edit of editor showing text: the grid hears it once, and the
    // editor is deleted once the event loop runs again, as a posted close
    // would.
    void Finish(QWidget* editor, const QString& text);
    // Gives the keyboard focus back to the grid, which ends the edit; in a
    // window that is not active the focus moves without a focus-out, so the
    // edit ends here then.
    void FocusOwner();

    QPointer<QWidget> m_pOwner;
    int m_nRow;
    int m_nColumn;
    QString m_strInitText;
    UINT m_nLastChar = 0;
    bool m_bEnded = false;
};
