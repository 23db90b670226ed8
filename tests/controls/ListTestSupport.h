#pragma once
// Report-list tests: a list of rows x columns in a recording parent window,
// the cell rectangles in the list's own coordinates (as rendered), and a
// drag of a header divider with the mouse.
#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QRect>

#include "controls/HeaderCtrl.h"
#include "controls/ListCtrl.h"
#include "tests/common/gui/WidgetProbe.h"

// Fills a list with columns of width w and rows whose cells read "r,c".
inline void FillList(CListCtrl& list, int rows, int columns, int width = 80, int format = LVCFMT_CENTER)
{
    for (int c = 0; c < columns; ++c)
        list.InsertColumn(c, QStringLiteral("H%1").arg(c), format, width);
    for (int r = 0; r < rows; ++r) {
        list.InsertItem(r, QStringLiteral("%1,0").arg(r));
        for (int c = 1; c < columns; ++c)
            list.SetItemText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    }
}

// A cell's rectangle within what Render(list) shows.
inline QRect CellInList(const CListCtrl& list, int row, int col)
{
    CRect cell;
    if (!list.GetSubItemRect(row, col, LVIR_BOUNDS, cell))
        return QRect();
    return cell.ToQRect().translated(list.viewport()->pos());
}

// Presses on the divider after column col, moves dx and releases; returns
// the column's width afterwards.
inline int DragDivider(CHeaderCtrl* header, int col, int dx)
{
    QWidget* area = header->viewport();
    const QPoint from(header->sectionViewportPosition(col) + header->sectionSize(col) - 1, area->height() / 2);
    const QPoint to = from + QPoint(dx, 0);
    SendMouse(area, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(area, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    SendMouse(area, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    return header->sectionSize(col);
}
