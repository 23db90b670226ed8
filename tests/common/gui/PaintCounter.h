#pragma once
// A widget class that counts its paint events, to tell a control that
// repaints at once from one that only schedules a repaint.
#include <QPaintEvent>

template <class Widget>
class CPaintCounter : public Widget {
public:
    using Widget::Widget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        Widget::paintEvent(event);
    }
};
