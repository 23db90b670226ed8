#pragma once
// A report list that takes no part in the mouse: a left press, a double
// click and mouse moves do nothing, so it never selects a row, scrolls by
// dragging or reports a click. Its three colours are kept but not drawn.
// Nothing in the program constructs it.
#include <QColor>

#include "controls/ListCtrl.h"

class CJodeListCtrl : public CListCtrl {
    Q_OBJECT
public:
    explicit CJodeListCtrl(QWidget* parent = nullptr);

    QColor m_clrText;
    QColor m_clrTextBk;
    QColor m_clrBk;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // The click the list would report belongs to the ignored press.
    void mouseReleaseEvent(QMouseEvent* event) override;
};
