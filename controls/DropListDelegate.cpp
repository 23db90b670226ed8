#include "controls/DropListDelegate.h"

#include "controls/DropListBox.h"

CDropListDelegate::CDropListDelegate(CDropListBox* list) : QStyledItemDelegate(list), m_pList(list) {}

void CDropListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool hot = option.state & (QStyle::State_HasFocus | QStyle::State_Selected);
    m_pList->DrawItem(*painter, option.rect, index.row(), hot);
}

QSize CDropListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(m_pList->viewport()->width(), m_pList->GetItemHeight());
}
