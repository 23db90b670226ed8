#pragma once
// What the grid tests share: an owner that records each WM_NOTIFY while it
// is sent, a grid that opens its protected parts and records the rectangles
// it paints and the scroll codes it receives, and a shown window for it.
#include <vector>

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/ControlStyles.h"

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

    LRESULT WindowProc(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto* notice = reinterpret_cast<const NMGRIDCELL*>(lParam);
            const auto* grid = static_cast<const CGridCtrl*>(notice->hdr.hwndFrom);
            notices.push_back(
                {notice->hdr.code, notice->row, notice->column, notice->hdr.idFrom, notice->hdr.hwndFrom,
                 grid->GetFocusCell()});
        }
        return answer;
    }

    std::vector<Notice> notices;
    LRESULT answer = 0;
};

// The grid with its protected parts opened for tests; it records the clip
// box of every OnDraw and every scroll code that reaches it.
class CProbeGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::Invalidate;
    using CGridCtrl::InvalidateRect;
    using CGridCtrl::m_bEditable;
    using CGridCtrl::m_bSingleRowSelect;
    using CGridCtrl::m_bWantTab;
    using CGridCtrl::m_nGridLineMode;
    using CGridCtrl::m_nMouseMode;
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
