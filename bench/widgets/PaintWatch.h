#pragma once
// Counts the paint events of the widgets it watches: the proof that a
// benchmarked step repainted.
#include <QEvent>
#include <QObject>

class CPaintWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    long count = 0;
};
