#pragma once
// Hands the painting of every cell of a report list to the list itself
// (CListCtrl::DrawCell), which draws it as its kind of list does.
#include <QStyledItemDelegate>

class CListCtrl;

class CListItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CListItemDelegate(CListCtrl* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CListCtrl* m_pList;
};
