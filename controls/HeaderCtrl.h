#pragma once
// The header control of a report list: one item per column, each with its
// heading, width and alignment. Before the user drags a column divider the
// header asks its parent (the list) with WM_NOTIFY, code HDN_BEGINTRACKW;
// an answer of TRUE keeps the columns' widths. A double click on a divider,
// which would fit the column to its texts, is asked the same way.
#include <QHeaderView>
#include <QString>

#include "platform/core/Rect.h"
#include "platform/core/SystemMessages.h"

// What GetItem reads of a header item.
enum : UINT {
    HDI_WIDTH = 0x0001,
    HDI_TEXT = 0x0002,
    HDI_FORMAT = 0x0004,
};

// Header item formats (alignment).
enum : int {
    HDF_LEFT = 0,
    HDF_RIGHT = 1,
    HDF_CENTER = 2,
};

struct HDITEM {
    UINT mask = 0;
    int cxy = 0;       // width in pixels
    QString pszText;   // the whole heading
    int fmt = 0;       // HDF_ alignment
};

// The record of the header's notifications (lParam of WM_NOTIFY).
struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEM* pitem = nullptr;
};

// True when the WM_NOTIFY record at lParam is a header's question before a
// divider drag (HDN_BEGINTRACKA or HDN_BEGINTRACKW).
bool IsBeginTrackNotice(LPARAM lParam);

class CHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    // The item data role holding an item's HDF_ format.
    static constexpr int FormatRole = Qt::UserRole + 1;

    explicit CHeaderCtrl(QWidget* parent = nullptr);

    int GetItemCount() const;
    // Fills the fields that item->mask names; false for an index out of range.
    bool GetItem(int index, HDITEM* item) const;
    // The item's rectangle in the header's client area; false when out of range.
    bool GetItemRect(int index, CRect* rect) const;
    // The item whose divider lies under x (client coordinates), or -1.
    int DividerAt(int x) const;
    // As high without items as with one.
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Asks the parent whether the divider of item may be dragged; true when
    // the parent refuses.
    bool TrackRefused(int item);
    // A left button on a divider the parent refuses to let move: the event
    // is taken and true returned.
    bool RefusedAtDivider(QMouseEvent* event);
};
