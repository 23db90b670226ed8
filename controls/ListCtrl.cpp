#include "controls/ListCtrl.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionViewItem>

#include "controls/ListItemDelegate.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

namespace {
Qt::Alignment ColumnQtAlignment(int format)
{
    switch (format & 3) {
    case LVCFMT_RIGHT: return Qt::AlignRight;
    case LVCFMT_CENTER: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

UINT ColumnTextAlignment(int format)
{
    switch (format & 3) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

QTableWidgetItem* MakeListItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The text background of a list that has none of its own is the list's.
bool IsNoTextBkColour(COLORREF colour)
{
    return colour == CLR_DEFAULT || colour == 0xFFFFFFFFu;
}
}  // namespace

CListCtrl::CListCtrl(QWidget* parent) : CListCtrl(nullptr, parent) {}

CListCtrl::CListCtrl(CHeaderCtrl* header, QWidget* parent)
    : QTableWidget(parent),
      m_crBk(ToColorRef(GetSysColor(COLOR_WINDOW))),
      m_crTextColour(ToColorRef(GetSysColor(COLOR_WINDOWTEXT))),
      m_crTextBk(ToColorRef(GetSysColor(COLOR_WINDOW)))
{
    SetUp(header != nullptr ? header : new CHeaderCtrl(this));
}

CListCtrl::~CListCtrl() = default;

void CListCtrl::SetUp(CHeaderCtrl* header)
{
    m_pHeader = header;
    setHorizontalHeader(header);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(NaturalItemHeight());
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setItemDelegate(new CListItemDelegate(this));
    SetBkColor(m_crBk);
}

int CListCtrl::InsertColumn(int col, const QString& heading, int format, int width, int)
{
    if (col < 0)
        return -1;
    const int at = std::min(col, columnCount());
    insertColumn(at);
    auto* header = new QTableWidgetItem(heading);
    header->setData(CHeaderCtrl::FormatRole, format & 3);
    header->setTextAlignment(ColumnQtAlignment(format) | Qt::AlignVCenter);
    setHorizontalHeaderItem(at, header);
    if (width >= 0)
        setColumnWidth(at, width);
    return at;
}

int CListCtrl::ColumnFormat(int col) const
{
    const QTableWidgetItem* header = horizontalHeaderItem(col);
    return header != nullptr ? header->data(CHeaderCtrl::FormatRole).toInt() : LVCFMT_LEFT;
}

int CListCtrl::NaturalItemHeight() const
{
    return QFontMetrics(font()).height() + 4;
}

int CListCtrl::GetItemCount() const
{
    return rowCount();
}

int CListCtrl::InsertItem(int item, const QString& text)
{
    if (item < 0)
        return -1;
    const int at = std::min(item, rowCount());
    insertRow(at);
    if (columnCount() > 0)
        setItem(at, 0, MakeListItem(text));
    return at;
}

bool CListCtrl::SetItemText(int item, int subItem, const QString& text)
{
    if (item < 0 || item >= rowCount() || subItem < 0 || subItem >= columnCount())
        return false;
    if (QTableWidgetItem* cell = this->item(item, subItem))
        cell->setText(text);
    else
        setItem(item, subItem, MakeListItem(text));
    return true;
}

QString CListCtrl::GetItemText(int item, int subItem) const
{
    const QTableWidgetItem* cell = this->item(item, subItem);
    return cell != nullptr ? cell->text() : QString();
}

bool CListCtrl::DeleteItem(int item)
{
    if (item < 0 || item >= rowCount())
        return false;
    removeRow(item);
    return true;
}

bool CListCtrl::DeleteAllItems()
{
    setRowCount(0);
    return true;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    const DWORD old = m_dwExStyle;
    m_dwExStyle = style;
    setShowGrid((style & LVS_EX_GRIDLINES) != 0);
    viewport()->update();
    return old;
}

bool CListCtrl::SetBkColor(COLORREF colour)
{
    m_crBk = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, ToQColor(colour));
    setPalette(palette);
    viewport()->update();
    return true;
}

bool CListCtrl::SetTextColor(COLORREF colour)
{
    m_crTextColour = colour;
    viewport()->update();
    return true;
}

bool CListCtrl::SetTextBkColor(COLORREF colour)
{
    m_crTextBk = colour;
    viewport()->update();
    return true;
}

int CListCtrl::GetItemHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void CListCtrl::SetItemHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, height));
}

bool CListCtrl::GetSubItemRect(int item, int subItem, int, CRect& rect) const
{
    if (item < 0 || item >= rowCount() || subItem < 0 || subItem >= columnCount())
        return false;
    // The whole row pitch and column width, grid line included.
    const int left = columnViewportPosition(subItem);
    const int top = rowViewportPosition(item);
    rect = CRect(left, top, left + columnWidth(subItem), top + rowHeight(item));
    return true;
}

bool CListCtrl::IsItemSelected(int item) const
{
    return selectionModel() != nullptr && selectionModel()->isRowSelected(item, QModelIndex());
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    if (item < 0 || item >= rowCount() || selectionModel() == nullptr)
        return false;
    const QModelIndex index = model()->index(item, 0);
    if ((mask & LVIS_SELECTED) != 0) {
        const auto how = ((state & LVIS_SELECTED) != 0 ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                         QItemSelectionModel::Rows;
        selectionModel()->select(index, how);
    }
    if ((mask & LVIS_FOCUSED) != 0 && (state & LVIS_FOCUSED) != 0)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    return true;
}

bool CListCtrl::EnsureVisible(int item, bool partialOk)
{
    if (item < 0 || item >= rowCount())
        return false;
    if (partialOk && visualRect(model()->index(item, 0)).intersects(viewport()->rect()))
        return true;
    scrollTo(model()->index(item, 0), QAbstractItemView::EnsureVisible);
    return true;
}

void CListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    NMITEMACTIVATE notice;
    notice.hdr.hwndFrom = this;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    notice.hdr.code = NM_CLICK;
    notice.iItem = rowAt(at.y());
    notice.iSubItem = std::max(0, columnAt(at.x()));
    SendMessage(GetParentTarget(this), WM_NOTIFY, WPARAM(GetDlgCtrlID(this)), reinterpret_cast<LPARAM>(&notice));
}

LRESULT CListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
    }
    return 0;
}

bool CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
    if (notice == nullptr || notice->hwndFrom != m_pHeader)
        return false;
    *result = SendMessage(GetParentTarget(this), WM_NOTIFY, wParam, lParam);
    return true;
}

void CListCtrl::keyPressEvent(QKeyEvent* event)
{
    // A key the list leaves alone goes nowhere else.
    event->accept();
    QKeyEvent* outer = m_pKeyEvent;
    m_pKeyEvent = event;
    OnKeyDown(VirtualKeyFromQtKey(event->key()), 1, 0);
    m_pKeyEvent = outer;
}

void CListCtrl::OnKeyDown(UINT, UINT, UINT)
{
    if (m_pKeyEvent != nullptr)
        QTableWidget::keyPressEvent(m_pKeyEvent);
}

void CListCtrl::OnCustomDraw(NMHDR*, LRESULT* result)
{
    *result = CDRF_DODEFAULT;
}

void CListCtrl::CustomDrawColours(int item, int subItem, COLORREF* text, COLORREF* background)
{
    NMLVCUSTOMDRAW draw;
    draw.nmcd.hdr.hwndFrom = this;
    draw.nmcd.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.clrText = m_crTextColour;
    draw.clrTextBk = m_crTextBk;
    LRESULT answer = 0;
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    OnCustomDraw(&draw.nmcd.hdr, &answer);
    if (answer & CDRF_NOTIFYITEMDRAW) {
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = std::uintptr_t(item);
        answer = 0;
        OnCustomDraw(&draw.nmcd.hdr, &answer);
        if (answer & CDRF_NOTIFYSUBITEMDRAW) {
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            draw.iSubItem = subItem;
            answer = 0;
            OnCustomDraw(&draw.nmcd.hdr, &answer);
        }
    }
    *text = draw.clrText;
    *background = IsNoTextBkColour(draw.clrTextBk) ? m_crBk : draw.clrTextBk;
}

void CListCtrl::DrawCell(QPainter* painter, const QStyleOptionViewItem& option, int item, int subItem)
{
    COLORREF text = 0;
    COLORREF background = 0;
    CustomDrawColours(item, subItem, &text, &background);
    // Without full-row selection only the item's own column shows it.
    const bool selected = (option.state & QStyle::State_Selected) &&
                          (subItem == 0 || (m_dwExStyle & LVS_EX_FULLROWSELECT));
    painter->fillRect(option.rect, selected ? GetSysColor(COLOR_HIGHLIGHT) : ToQColor(background));
    painter->setPen(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ToQColor(text));
    painter->setFont(font());
    CRect label = CRect::FromQRect(option.rect);
    label.DeflateRect(4, 0);
    DrawText(*painter, GetItemText(item, subItem), label,
             ColumnTextAlignment(ColumnFormat(subItem)) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
