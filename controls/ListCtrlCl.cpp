#include "controls/ListCtrlCl.h"

#include <QPainter>
#include <QStyleOptionViewItem>

#include "controls/HeaderCtrlCl.h"
#include "platform/core/Language.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The stock default GUI font; the cells are centred by its text height.
const QFont& StockGuiFont()
{
    static const QFont font = CreateFontIndirect(DefaultGuiFontLogFont()).value_or(QFont());
    return font;
}

bool FindListColumnColour(const std::vector<LISTCELLCOLOR>& records, int col, COLORREF* out)
{
    for (const LISTCELLCOLOR& record : records) {
        if (record.column == col) {
            *out = record.colour;
            return true;
        }
    }
    return false;
}

bool FindListCellColour(const std::vector<LISTCELLCOLOR>& records, int col, int row, COLORREF* out)
{
    for (const LISTCELLCOLOR& record : records) {
        if (record.column == col && record.row == row) {
            *out = record.colour;
            return true;
        }
    }
    return false;
}
}  // namespace

CListCtrlCl::CListCtrlCl(QWidget* parent)
    : CListCtrl(new CHeaderCtrlCl, parent), m_Header(static_cast<CHeaderCtrlCl*>(GetHeaderCtrl()))
{
    PreSubclassWindow();
}

CListCtrlCl::~CListCtrlCl() = default;

void CListCtrlCl::PreSubclassWindow()
{
    // Owner drawn: DrawCell paints each cell. The header tracks the mouse.
    m_Header->setMouseTracking(true);
}

int CListCtrlCl::InsertColumn(int col, const QString& heading, int format, int width, int subItem)
{
    m_Header->m_HeaderTexts.append(heading);
    QChar code = QLatin1Char('1');
    if (format == LVCFMT_LEFT)
        code = QLatin1Char('0');
    else if (format == LVCFMT_RIGHT)
        code = QLatin1Char('2');
    m_Header->m_strAlign.append(code);
    return CListCtrl::InsertColumn(col, heading, format, width, subItem);
}

bool CListCtrlCl::ClearHeaderTexts()
{
    m_Header->m_HeaderTexts.clear();
    m_Header->viewport()->update();
    return true;
}

void CListCtrlCl::SetHeaderBkColor(int r, int g, int b, int step)
{
    m_Header->m_nBkR = r;
    m_Header->m_nBkG = g;
    m_Header->m_nBkB = b;
    m_Header->m_nBkStep = step;
}

void CListCtrlCl::SetHeaderHeight(float scale)
{
    m_Header->m_fHeightScale = scale;
}

void CListCtrlCl::SetHeaderTextColor(COLORREF colour)
{
    m_Header->m_crHeaderText = colour;
}

bool CListCtrlCl::SetTextColor(COLORREF colour)
{
    m_crText = colour;
    viewport()->update();
    return true;
}

void CListCtrlCl::SetRowHeight(int height)
{
    m_nRowHeight = height;
    // The list asks its items' height again.
    MEASUREITEMSTRUCT mis;
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = UINT(GetDlgCtrlID(this));
    mis.itemHeight = UINT(NaturalItemHeight());
    MeasureItem(&mis);
    SetItemHeight(int(mis.itemHeight));
}

void CListCtrlCl::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    if (m_nRowHeight > 0)
        mis->itemHeight = UINT(m_nRowHeight);
}

void CListCtrlCl::SetColBkColor(int col, COLORREF colour)
{
    m_ColBkColors.push_back({0, col, colour});
    viewport()->update();
}

void CListCtrlCl::SetColTextColor(int col, COLORREF colour)
{
    m_ColTextColors.push_back({0, col, colour});
    viewport()->update();
}

void CListCtrlCl::SetCellBkColor(int col, int row, COLORREF colour)
{
    m_CellBkColors.clear();
    m_CellBkColors.push_back({row, col, colour});
    viewport()->update();
}

void CListCtrlCl::SetCellTextColor(int col, int row, COLORREF colour)
{
    m_CellTextColors.clear();
    m_CellTextColors.push_back({row, col, colour});
    viewport()->update();
}

void CListCtrlCl::SetRowBkColor(int row, COLORREF colour)
{
    for (int col = 0; col < m_Header->GetItemCount(); ++col)
        m_CellBkColors.push_back({row, col, colour});
    viewport()->update();
}

void CListCtrlCl::SetRowTextColor(int row, COLORREF colour)
{
    for (int col = 0; col < m_Header->GetItemCount(); ++col)
        m_CellTextColors.push_back({row, col, colour});
    viewport()->update();
}

bool CListCtrlCl::GetColBkColor(int col, COLORREF* out) const
{
    return FindListColumnColour(m_ColBkColors, col, out);
}

bool CListCtrlCl::GetColTextColor(int col, COLORREF* out) const
{
    return FindListColumnColour(m_ColTextColors, col, out);
}

bool CListCtrlCl::GetCellBkColor(int col, int row, COLORREF* out) const
{
    return FindListCellColour(m_CellBkColors, col, row, out);
}

bool CListCtrlCl::GetCellTextColor(int col, int row, COLORREF* out) const
{
    return FindListCellColour(m_CellTextColors, col, row, out);
}

void CListCtrlCl::DrawItem(LPDRAWITEMSTRUCT dis)
{
    for (int col = 0; col < m_Header->GetItemCount(); ++col)
        DrawSubItem(*dis->hDC, int(dis->itemID), col, (dis->itemState & ODS_SELECTED) != 0);
}

void CListCtrlCl::DrawSubItem(QPainter& painter, int row, int col, bool selected)
{
    CRect label;
    if (!GetSubItemRect(row, col, LVIR_LABEL, label))
        return;
    const QString text = GetItemText(row, col).left(255);

    CRect fill = label;
    if (col == 0)
        fill.left -= 2;
    COLORREF colour = 0;
    if (selected) {
        painter.fillRect(fill.ToQRect(), GetSysColor(COLOR_HIGHLIGHT));
    } else {
        painter.fillRect(fill.ToQRect(), ToQColor(GetBkColor()));
        if (GetColBkColor(col, &colour))
            painter.fillRect(fill.ToQRect(), ToQColor(colour));
        if (GetCellBkColor(col, row, &colour))
            painter.fillRect(fill.ToQRect(), ToQColor(colour));
    }

    const QChar code = col < m_Header->m_strAlign.size() ? m_Header->m_strAlign.at(col) : QChar();
    UINT align = DT_CENTER;
    if (code == QLatin1Char('0'))
        align = DT_LEFT;
    else if (code == QLatin1Char('2'))
        align = DT_RIGHT;
    const int guiTextHeight = QFontMetrics(StockGuiFont(), painter.device()).height();
    label.OffsetRect(0, (label.Height() - guiTextHeight) / 2);

    COLORREF ink = m_crText;
    if (GetColTextColor(col, &colour))
        ink = colour;
    if (GetCellTextColor(col, row, &colour))
        ink = colour;
    painter.setPen(ToQColor(ink));
    painter.setFont(g_bChinese ? g_fontArial16Bold : g_fontList16);
    DrawText(painter, text, label, align);
}

void CListCtrlCl::DrawCell(QPainter* painter, const QStyleOptionViewItem& option, int item, int subItem)
{
    DrawSubItem(*painter, item, subItem, (option.state & QStyle::State_Selected) != 0);
}

void CListCtrlCl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    switch (key) {
    case VK_TAB:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return;
    default:
        CListCtrl::OnKeyDown(key, repeat, flags);
    }
}

bool CListCtrlCl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The user cannot drag a column divider.
    if (IsBeginTrackNotice(lParam)) {
        *result = 1;
        return true;
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}
