#include "controls/ColorListCtrl.h"

#include <algorithm>

#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"

CELLCOLOR::CELLCOLOR()
    : textColor(ToColorRef(GetSysColor(COLOR_WINDOWTEXT))), bkColor(ToColorRef(GetSysColor(COLOR_WINDOW)))
{
}

CColorListCtrl::CColorListCtrl(QWidget* parent) : CListCtrl(parent) {}

CColorListCtrl::~CColorListCtrl() = default;

void CColorListCtrl::SetCellColor(int row, int col, COLORREF text, COLORREF bk)
{
    m_CellColors.emplace_back(row, col, text, bk);
    viewport()->repaint();
}

void CColorListCtrl::SetRowColor(int row, COLORREF text, COLORREF bk)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == nullptr)
        return;
    for (int col = 0; col < header->GetItemCount(); ++col)
        SetCellColor(row, col, text, bk);
}

void CColorListCtrl::ClearCellColors()
{
    m_CellColors.clear();
    viewport()->repaint();
}

bool CColorListCtrl::DeleteAllItems()
{
    const bool deleted = CListCtrl::DeleteAllItems();
    ClearCellColors();
    return deleted;
}

bool CColorListCtrl::DeleteItem(int item)
{
    if (!CListCtrl::DeleteItem(item))
        return false;
    m_CellColors.erase(std::remove_if(m_CellColors.begin(), m_CellColors.end(),
                                      [item](const CELLCOLOR& record) { return record.row == item; }),
                       m_CellColors.end());
    return true;
}

void CColorListCtrl::OnCustomDraw(NMHDR* notice, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(notice);
    *result = CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        COLORREF text = ToColorRef(GetSysColor(COLOR_WINDOWTEXT));
        COLORREF bk = ToColorRef(GetSysColor(COLOR_WINDOW));
        const int row = int(draw->nmcd.dwItemSpec);
        for (const CELLCOLOR& record : m_CellColors) {
            if (record.row == row && record.column == draw->iSubItem) {
                text = record.textColor;
                bk = record.bkColor;
            }
        }
        draw->clrText = text;
        draw->clrTextBk = bk;
        break;
    }
    default:
        break;
    }
}

bool CColorListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The user cannot drag a column divider.
    if (IsBeginTrackNotice(lParam)) {
        *result = 1;
        return true;
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}
