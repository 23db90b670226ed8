#pragma once
// One cell of a grid (CGridCtrl), with the state bits and the GRIDITEM
// record through which callers read and write several of its attributes at
// once. The grid owns its cells; a derived grid may make cells of its own
// kind (CGridCtrl::CreateCell), so the destructor is virtual.
#include <QString>

#include "platform/core/SystemMessages.h"
#include "platform/core/Types.h"
#include "platform/gui/LogFont.h"

// Cell state bits.
enum : UINT {
    GCS_FOCUSED = 0x01,
    GCS_SELECTED = 0x02,  // mirrored in the grid's selection map
    GCS_DROPHILITED = 0x04,
    GCS_READONLY = 0x08,  // not editable even in an editable grid
    GCS_MODIFIED = 0x20,
};

// GRIDITEM mask bits: which fields of the record are meant.
enum : UINT {
    GIM_TEXT = 0x01,
    GIM_IMAGE = 0x02,
    GIM_PARAM = 0x04,
    GIM_STATE = 0x08,
    GIM_BKCOLOR = 0x10,
    GIM_TEXTCOLOR = 0x20,
    GIM_FORMAT = 0x40,
    GIM_FONT = 0x80,
};

class CGridCell {
public:
    virtual ~CGridCell() = default;

    UINT state = 0;
    UINT format = 0;  // DrawText flags of the text; 0 is top-left, several lines
    QString text;
    QString originalText;
    int image = -1;  // kept and returned, never drawn
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    LOGFONT logFont;
    LPARAM lParam = 0;
};

// Several attributes of the cell at (row, col), the ones mask names.
struct GRIDITEM {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    QString text;
    int image = -1;
    COLORREF bkColor = CLR_DEFAULT;
    COLORREF textColor = CLR_DEFAULT;
    LPARAM lParam = 0;
    LOGFONT logFont;
};

// The control id of every in-place editor, and so the idFrom of its
// end-of-edit notice.
enum : UINT { IDC_GRID_INPLACE = 8 };

// The end-of-edit notice an in-place editor sends its grid (WM_NOTIFY, code
// LVN_ENDLABELEDITA): the cell, the editor's text (GIM_TEXT) and, in lParam
// (GIM_PARAM), the key that ended the edit (0 when the focus just left).
struct NMGRIDITEM {
    NMHDR hdr;
    GRIDITEM item;
};
