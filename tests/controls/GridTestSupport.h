#pragma once
// What the grid tests share: an owner that records each WM_NOTIFY while it
// is sent and each WM_COMMAND, a grid that opens its protected parts and
// records the rectangles it paints and the scroll codes and keys it
// receives, a shown window for it, the machine-preset list's set-up, and
// the mouse.
#include <optional>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"

// A dialog that hears its grid: every notification, with the grid's focus
// cell at the moment it arrived.
class CGridOwner : public QWidget, public CMsgTarget {
public:
    struct Notice {
        UINT code;
        int row;
        int column;
        std::uintptr_t id;
        QWidget* from;
        CCellID focusDuringSend;
    };

    CGridOwner() { resize(640, 480); }

    struct Command {
        WPARAM wParam;
        LPARAM lParam;
        bool bSent;
    };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back({wParam, lParam, InSendMessage()});
        if (message == WM_NOTIFY) {
            const auto* notice = reinterpret_cast<const NMGRIDCELL*>(lParam);
            const auto* grid = static_cast<const CGridCtrl*>(notice->hdr.hwndFrom);
            notices.push_back(
                {notice->hdr.code, notice->row, notice->column, notice->hdr.idFrom, notice->hdr.hwndFrom,
                 grid->GetFocusCell()});
        }
        return answer;
    }

    // The notification codes in order.
    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Notice& notice : notices)
            codes.push_back(notice.code);
        return codes;
    }

    std::vector<Notice> notices;
    std::vector<Command> commands;
    LRESULT answer = 0;
};

// The grid with its protected parts opened for tests; it records the clip
// box of every OnDraw and every scroll code that reaches it.
class CProbeGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::Invalidate;
    using CGridCtrl::InvalidateRect;
    using CGridCtrl::m_bDragDropEnabled;
    using CGridCtrl::m_bEditable;
    using CGridCtrl::m_bListMode;
    using CGridCtrl::m_bSelectionEnabled;
    using CGridCtrl::m_bSingleRowSelect;
    using CGridCtrl::m_bWantTab;
    using CGridCtrl::m_nGridLineMode;
    using CGridCtrl::m_cellButtonDown;
    using CGridCtrl::m_cellSelectionStart;
    using CGridCtrl::m_nMouseMode;
    using CGridCtrl::OnFixedColumnClick;
    using CGridCtrl::OnFixedRowClick;
    using CGridCtrl::OnTimer;
    using CGridCtrl::m_nTimerId;
    using CGridCtrl::m_nWheelLines;
    using CGridCtrl::m_PrevSelectedCells;
    using CGridCtrl::m_SelectedCells;

    struct Scroll {
        UINT message;
        UINT code;
    };

    void OnDraw(QPainter* pDC) override
    {
        draws.push_back(pDC->hasClipping() ? CRect::FromQRect(pDC->clipBoundingRect().toAlignedRect())
                                           : CRect(0, 0, pDC->device()->width(), pDC->device()->height()));
        CGridCtrl::OnDraw(pDC);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_HSCROLL || message == WM_VSCROLL)
            scrolls.push_back({message, LOWORD(wParam)});
        if (message == WM_KEYDOWN || message == WM_CHAR)
            keys.push_back({message, UINT(wParam)});
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }

    std::vector<CRect> draws;
    std::vector<Scroll> scrolls;
    std::vector<Scroll> keys;  // message and key or character code
};

// Delivers what waits (updates, posted events) and paints every pending
// change of the grid; returns the grid's image as it now stands.
inline QImage Painted(CGridCtrl* grid)
{
    QApplication::processEvents();
    grid->viewport()->repaint();
    return grid->BackingImage().copy();
}

// A grid in a shown window: rows x cols cells of rowHeight x colWidth, with
// fixed rows and columns, in a client area of the given size (the grid has
// no frame, so its client area is its size while no scroll bar shows).
struct GridFixture {
    CGridOwner owner;
    CProbeGrid* grid = nullptr;

    void Make(int rows, int cols, int fixedRows, int fixedCols, int rowHeight, int colWidth, const QSize& size)
    {
        grid = new CProbeGrid(rows, cols, fixedRows, fixedCols);
        grid->Create(CRect(QPoint(10, 10), size), &owner, 2724, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        for (int r = 0; r < rows; ++r)
            grid->SetRowHeight(r, rowHeight);
        for (int c = 0; c < cols; ++c)
            grid->SetColumnWidth(c, colWidth);
        grid->UpdateScrollBars();
        owner.show();
        Painted(grid);
        grid->draws.clear();
    }
};

// The machine-preset dialog's set-up of its grid, replayed on a grid that
// has its window: 7 x 2 with one fixed row and column, the name column 262
// wide, single-row selection, not editable, every cell centred on one line,
// row 1 selected, the blue grid lines, Arial 16, the slot names, the focus
// on (1, 1).
inline void SetUpPresetList(CProbeGrid* list)
{
    list->SetRowCount(7);
    list->SetFixedRowCount(1);
    list->SetColumnCount(2);
    list->SetFixedColumnCount(1);
    list->SetColumnWidth(1, 262);
    list->SetRowResize(false);
    list->SetSingleRowSelect(true);
    list->SetEditable(false);
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 2; ++c) {
            GRIDITEM item;
            item.row = r;
            item.col = c;
            item.mask = GIM_TEXT | GIM_FORMAT;
            item.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
            list->SetItem(&item);
        }
    }
    list->SetItemText(0, 0, QStringLiteral("No."));
    list->SetItemText(0, 1, QStringLiteral("Name"));
    list->SetSelectedRange(1, 0, 1, list->GetColumnCount() - 1);
    list->EnsureVisible(1, 0);
    list->SetGridLineColor(16750899);
    static const std::optional<QFont> font = CreateFont(16, 400);
    list->SetFont(&*font);
    for (int i = 0; i < 6; ++i) {
        list->SetItemText(i + 1, 1, QStringLiteral("Preset %1").arg(i + 1));
        list->SetItemText(i + 1, 0, QString::number(i + 1));
    }
    list->SetFocusCell(1, 1);
    list->SetEditable(false);
}

// The middle of a cell, in client coordinates.
inline QPoint CellPoint(const CGridCtrl* grid, int row, int col)
{
    CRect rect;
    grid->GetCellBounds(row, col, &rect);
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// One mouse event on the grid's client area.
inline void GridMouse(CGridCtrl* grid, QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* client = grid->viewport();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(pos), client->mapToGlobal(QPointF(pos)), button, held, modifiers);
    QCoreApplication::sendEvent(client, &event);
}

// A click: press and release.
inline void GridClick(CGridCtrl* grid, const QPoint& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    GridMouse(grid, QEvent::MouseButtonPress, pos, Qt::LeftButton, modifiers);
    GridMouse(grid, QEvent::MouseButtonRelease, pos, Qt::LeftButton, modifiers);
}

// A double click as the window system delivers it: press, release, double
// click, release.
inline void GridDoubleClick(CGridCtrl* grid, const QPoint& pos)
{
    GridMouse(grid, QEvent::MouseButtonPress, pos);
    GridMouse(grid, QEvent::MouseButtonRelease, pos);
    GridMouse(grid, QEvent::MouseButtonDblClick, pos);
    GridMouse(grid, QEvent::MouseButtonRelease, pos);
}

// Lets closed in-place editors go, as the event loop would.
inline void FlushClosedEditors()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The grid's open in-place editor of kind Editor (closed ones let go
// first), or null.
template <class Editor>
Editor* OpenEditor(const CGridCtrl* grid)
{
    FlushClosedEditors();
    const QList<Editor*> editors = grid->viewport()->findChildren<Editor*>();
    return editors.isEmpty() ? nullptr : editors.last();
}
