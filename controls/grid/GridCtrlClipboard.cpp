// The grid's clipboard and drag and drop: the selection as text, pasting
// text at a cell, the edit commands and their update handlers, dragging
// the selection out and taking drops.
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>

#include "controls/grid/GridCtrl.h"
#include "platform/core/CmdUI.h"
#include "platform/gui/DragDrop.h"
#include "platform/gui/SysColors.h"

namespace {
bool GridClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

unsigned GridDropEffectFor(DWORD dwKeyState)
{
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
}  // namespace

// ---- The selection as text ----------------------------------------------------------------------

void CGridCtrl::ClearSelectedText()
{
    if (!m_bEditable)
        return;
    // DestroyCell takes each cell out of the selection map: walk a copy.
    const CellMap selected = m_SelectedCells;
    for (const auto& entry : selected) {
        const CCellID cell = entry.second;
        if (!IsCellEditable(cell) || GetCell(cell.row, cell.col) == nullptr)
            continue;
        NotifyOwner(cell.row, cell.col, LVN_BEGINLABELEDITA);
        DestroyCell(GetCell(cell.row, cell.col), cell.row, cell.col);
        SetModified(true, cell.row, cell.col);
        NotifyOwner(cell.row, cell.col, LVN_ENDLABELEDITA);
    }
    Invalidate();
}

QMimeData* CGridCtrl::CopySelectionToDataSource()
{
    const CCellRange range = GetSelectionBounds();
    if (!IsValid(range))
        return nullptr;
    QString text;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col) {
            if (GetItemState(row, col) & GCS_SELECTED) {
                const QString cellText = GetItemText(row, col);
                text += cellText.isEmpty() ? QStringLiteral(" ") : cellText;
            }
            if (col != range.GetMaxCol())
                text += QLatin1Char('\t');
        }
        if (row != range.GetMaxRow())
            text += QLatin1Char('\n');
    }
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

bool CGridCtrl::PasteFromDataObject(const CCellID& cell, const QMimeData* pDataObject)
{
    if (!IsValid(cell) || !IsCellEditable(cell) || pDataObject == nullptr || !pDataObject->hasText())
        return false;
    QString text = pDataObject->text();
    // The text ends at its first zero, as text from a C string would.
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);

    static const QRegularExpression separators(QStringLiteral("[\\t,\\n]"));
    int line = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        QString lineText = text.mid(from, end < 0 ? -1 : end - from);
        // An empty line before a line end still empties its first cell.
        if (lineText.isEmpty() && end >= 0)
            lineText = QStringLiteral(" ");
        const QStringList fields = lineText.split(separators, Qt::SkipEmptyParts);
        for (int k = 0; k < fields.size(); ++k) {
            const CCellID target(cell.row + line, cell.col + k);
            // A cell outside the grid, or one its owner protects, keeps its
            // text.
            if (!IsValid(target) || !IsCellEditable(target))
                continue;
            NotifyOwner(target.row, target.col, LVN_BEGINLABELEDITA);
            SetItemText(target.row, target.col, fields[k].trimmed());
            SetModified(true, target.row, target.col);
            NotifyOwner(target.row, target.col, LVN_ENDLABELEDITA);
            SetItemState(target.row, target.col, GetItemState(target.row, target.col) & ~UINT(GCS_SELECTED));
        }
        if (end < 0)
            break;
        from = end + 1;
        ++line;
    }
    Invalidate();
    return true;
}

// ---- The commands -------------------------------------------------------------------------------

void CGridCtrl::OnEditCut()
{
    if (!m_bEditable)
        return;
    QMimeData* source = CopySelectionToDataSource();
    if (source == nullptr)
        return;
    QGuiApplication::clipboard()->setMimeData(source);
    ClearSelectedText();
}

void CGridCtrl::OnEditCopy()
{
    if (QMimeData* source = CopySelectionToDataSource())
        QGuiApplication::clipboard()->setMimeData(source);
}

void CGridCtrl::OnEditPaste()
{
    if (!m_bEditable)
        return;
    CCellID cell = m_cellFocus;
    if (!IsValid(cell))
        cell = GetTopLeftScrollCell();
    if (!IsValid(cell))
        return;
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData())
        PasteFromDataObject(cell, data);
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

void CGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI) const
{
    const CCellRange range = GetSelectionBounds();
    pCmdUI->Enable(m_bEditable && range.Count() != 0 && IsValid(range));
}

void CGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI) const
{
    const CCellRange range = GetSelectionBounds();
    pCmdUI->Enable(range.Count() != 0 && IsValid(range));
}

void CGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(IsValid(m_cellFocus) && IsCellEditable(m_cellFocus) && GridClipboardHasText());
}

void CGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI) const
{
    pCmdUI->Enable(m_bSelectionEnabled);
}

bool CGridCtrl::OnUpdateCommand(CCmdUI* pCmdUI) const
{
    switch (pCmdUI->m_nID) {
    case ID_EDIT_CUT:
        OnUpdateEditCut(pCmdUI);
        return true;
    case ID_EDIT_COPY:
        OnUpdateEditCopy(pCmdUI);
        return true;
    case ID_EDIT_PASTE:
        OnUpdateEditPaste(pCmdUI);
        return true;
    case ID_EDIT_SELECT_ALL:
        OnUpdateEditSelectAll(pCmdUI);
        return true;
    default:
        return false;
    }
}

// ---- Dragging out -------------------------------------------------------------------------------

QPixmap CGridCtrl::CreateDragImage(QPoint* pHotSpot)
{
    CRect rect;
    if (!m_bHasWindow || !GetCellBounds(m_cellFocus, &rect))
        return QPixmap();
    rect = CRect(0, 0, rect.Width(), rect.Height());
    if (pHotSpot != nullptr)
        *pHotSpot = QPoint(rect.right, rect.bottom);
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return QPixmap();
    QImage image(rect.Width(), rect.Height(), QImage::Format_ARGB32);
    {
        QPainter painter(&image);
        DrawCell(&painter, m_cellFocus.row, m_cellFocus.col, rect, true);
    }
    // The cell background is the mask colour: it lets the drop show through.
    const QRgb mask = ToQColor(GetCellBkColor()).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == mask)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(image);
}

void CGridCtrl::StartCellDrag()
{
    if (!m_bDragDropEnabled)
        return;
    QMimeData* source = CopySelectionToDataSource();
    if (source == nullptr)
        return;
    const CCellID topLeft = GetSelectionBounds().GetTopLeft();
    NotifyOwner(topLeft.row, topLeft.col, LVN_BEGINDRAG);
    m_nMouseMode = MouseDragging;
    auto* drag = new QDrag(this);
    drag->setMimeData(source);  // the drag owns the data
    const Qt::DropAction action = DoDragDrop(*drag, Qt::CopyAction | Qt::MoveAction);
    drag->deleteLater();
    // The moved texts leave their cells; the drop target only pastes.
    if (action == Qt::MoveAction)
        ClearSelectedText();
}

// ---- Taking drops -------------------------------------------------------------------------------

unsigned CGridCtrl::OnDragEnter(const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point)
{
    if (!m_bDragDropEnabled || pDataObject == nullptr || !pDataObject->hasText())
        return DROPEFFECT_NONE;
    m_cellLastDragOver = GetCellFromPoint(point, false);
    if (!IsValid(m_cellLastDragOver) || !IsCellEditable(m_cellLastDragOver))
        return DROPEFFECT_NONE;
    const CCellID cell = m_cellLastDragOver;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
    RedrawCell(cell);
    return GridDropEffectFor(dwKeyState);
}

unsigned CGridCtrl::OnDragOver(const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point)
{
    if (!m_bDragDropEnabled || !m_bEditable || pDataObject == nullptr || !pDataObject->hasText())
        return DROPEFFECT_NONE;
    const CCellID cell = GetCellFromPoint(point, false);
    if (!IsValid(cell)) {
        OnDragLeave();
        m_cellLastDragOver = CCellID();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;  // the previous highlight stays
    if (cell != m_cellLastDragOver) {
        if (IsValid(m_cellLastDragOver)) {
            const CCellID old = m_cellLastDragOver;
            SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~UINT(GCS_DROPHILITED));
            RedrawCell(old);
        }
        m_cellLastDragOver = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
        RedrawCell(cell);
    }
    return GridDropEffectFor(dwKeyState);
}

void CGridCtrl::OnDragLeave()
{
    if (!IsValid(m_cellLastDragOver))
        return;
    const CCellID cell = m_cellLastDragOver;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~UINT(GCS_DROPHILITED));
    RedrawCell(cell);
}

bool CGridCtrl::OnDrop(const QMimeData* pDataObject, unsigned, const QPoint&)
{
    if (!m_bDragDropEnabled || !IsCellEditable(m_cellLastDragOver))
        return false;
    m_nMouseMode = MouseIdle;
    OnDragLeave();
    return PasteFromDataObject(m_cellLastDragOver, pDataObject);
}
