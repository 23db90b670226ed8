#pragma once
// Hands the drawing of each item of a drop list to the list itself, at the
// list's fixed item height.
#include <QStyledItemDelegate>

class CDropListBox;

class CDropListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CDropListDelegate(CDropListBox* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CDropListBox* m_pList;
};
