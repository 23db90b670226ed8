#pragma once
// The header of the coloured report list (CListCtrlCl). It paints every
// item with a vertical gradient, darkening line by line from a first colour
// by a step, and draws the headings from its own copy of them, each aligned
// by a code ("0" left, "1" centre, "2" right). The strip after the last
// item gets the same gradient; a header without items is all gradient. Its
// height is its natural height times a scale, truncated.
#include <QString>
#include <QStringList>

#include "controls/HeaderCtrl.h"
#include "platform/core/Types.h"

class CHeaderCtrlCl : public CHeaderCtrl {
    Q_OBJECT
public:
    explicit CHeaderCtrlCl(QWidget* parent = nullptr);

    void OnPaint(QPainter& painter);
    // The natural height times m_fHeightScale.
    QSize sizeHint() const override;

    // The texts drawn, one per column inserted through the list.
    QStringList m_HeaderTexts;
    // One alignment code per column inserted through the list.
    QString m_strAlign;
    int m_nBkR = 180;
    int m_nBkG = 179;
    int m_nBkB = 179;
    int m_nBkStep = 3;
    float m_fHeightScale = 1.0f;
    COLORREF m_crHeaderText = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The gradient over rect: line y gets the first colour less y times
    // the step (none below 0), from x = left to right (exclusive).
    void FillGradient(QPainter& painter, int left, int right, int top, int bottom) const;
};
