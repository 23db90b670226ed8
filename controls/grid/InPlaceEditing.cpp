#include "controls/grid/InPlaceEditing.h"

#include <QWidget>

#include "controls/grid/InPlaceSupport.h"

CInPlaceEditing::CInPlaceEditing(QWidget* grid, int row, int column, const QString& initText)
    : m_pOwner(grid), m_nRow(row), m_nColumn(column), m_strInitText(initText)
{
}

void CInPlaceEditing::Detach()
{
    m_pOwner = nullptr;
    m_bEnded = true;
}

void CInPlaceEditing::Finish(QWidget* editor, const QString& text)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    SendEndOfEdit(editor, m_pOwner, m_nRow, m_nColumn, text, m_nLastChar);
    editor->deleteLater();
}

void CInPlaceEditing::FocusOwner()
{
    if (m_pOwner)
        m_pOwner->setFocus(Qt::OtherFocusReason);
    EndEdit();
}
