#include "controls/ListItemDelegate.h"

#include <QPainter>

#include "controls/ListCtrl.h"

CListItemDelegate::CListItemDelegate(CListCtrl* list) : QStyledItemDelegate(list), m_pList(list) {}

void CListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    m_pList->DrawCell(painter, option, index.row(), index.column());
    painter->restore();
}
