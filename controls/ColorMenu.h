#pragma once
// A popup menu whose owner-drawn items are plain coloured blocks, 150 pixels
// wide and a menu row high: light blue-grey framed in dark blue while
// selected, the menu colour otherwise; no text, no check mark. Items not
// flagged owner-drawn look like any menu item.
#include <QMenu>

#include "platform/core/Rect.h"

class QPainter;

class CColorMenu : public QMenu {
    Q_OBJECT
public:
    explicit CColorMenu(QWidget* parent = nullptr);

    // Flags an item as owner-drawn (or back).
    static void SetOwnerDraw(QAction* action, bool on);
    static bool IsOwnerDraw(const QAction* action);

    // The size of an owner-drawn item.
    static QSize MeasureItem();
    // Paints one owner-drawn item into rect.
    static void DrawItem(QPainter& painter, const CRect& rect, bool selected);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

private:
    class CBlockStyle;
};
