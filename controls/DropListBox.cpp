#include "controls/DropListBox.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/DropListDelegate.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/WindowAttributes.h"

namespace {
enum : int { ROLE_HEADER = Qt::UserRole, ROLE_TEXT, ROLE_HOT };
}  // namespace

CDropListBox::CDropListBox(QWidget* parent) : QListWidget(parent)
{
    SetDlgCtrlID(this, LIST_ID);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
    setMouseTracking(true);
    setItemDelegate(new CDropListDelegate(this));
    ApplyBackground();
}

// ---- Items ------------------------------------------------------------------------

void CDropListBox::StoreRecord(QListWidgetItem* item, const DropItemRecord& record) const
{
    item->setData(ROLE_HEADER, int(record.header));
    item->setData(ROLE_TEXT, uint(record.text));
    item->setData(ROLE_HOT, uint(record.hot));
}

DropItemRecord CDropListBox::Record(int row) const
{
    const QListWidgetItem* it = item(row);
    if (it == nullptr)
        return DropItemRecord();
    DropItemRecord record;
    record.header = BYTE(it->data(ROLE_HEADER).toInt());
    record.text = COLORREF(it->data(ROLE_TEXT).toUInt());
    record.hot = COLORREF(it->data(ROLE_HOT).toUInt());
    return record;
}

DropItemRecord CDropListBox::GetCurRecord() const
{
    return currentRow() >= 0 ? Record(currentRow()) : m_curRecord;
}

void CDropListBox::SelectRow(int row)
{
    const QSignalBlocker quiet(this);
    if (row >= 0 && row < count()) {
        setCurrentRow(row);
    } else {
        setCurrentRow(-1);
        clearSelection();
    }
}

int CDropListBox::AddString(const QString& text)
{
    m_curRecord = DropItemRecord();
    if (count() == 0)
        ++m_nGroupCount;
    if (count() == 1)
        SelectRow(m_nSelIndex);
    return AppendItem(1, text);
}

int CDropListBox::InsertString(int index, const QString& text)
{
    m_curRecord = DropItemRecord();
    if (count() == 0)
        ++m_nGroupCount;
    if (count() == 1)
        SelectRow(m_nSelIndex);
    if (index == -1)
        index = count();
    if (index < 0 || index > count())
        return LB_ERR;
    auto* it = new QListWidgetItem(text);
    StoreRecord(it, m_curRecord);
    insertItem(index, it);
    return index;
}

int CDropListBox::AddGroupString(const QString& text, int nGroup, COLORREF text_, COLORREF hot)
{
    if (nGroup > m_nGroupCount + 1)
        return LB_ERR;
    m_curRecord = DropItemRecord{0, text_, hot};
    if (nGroup == m_nGroupCount + 1) {
        ++m_nGroupCount;
        m_curRecord.header = 1;
    }
    return AppendItem(nGroup, text);
}

int CDropListBox::AppendItem(int, const QString& text)
{
    // The list is never sorted: an item of an older group lands after the
    // later groups' items.
    auto* it = new QListWidgetItem(text);
    StoreRecord(it, m_curRecord);
    addItem(it);
    return count() - 1;
}

int CDropListBox::DeleteString(int n)
{
    if (n < 0 || n >= count())
        return LB_ERR;
    if (!Record(n).header) {
        delete takeItem(n);
        return count();
    }
    --m_nGroupCount;
    delete takeItem(n);
    while (n < count() && !Record(n).header)
        delete takeItem(n);
    if (n >= count())
        return count();
    // The walk stopped at the next group's header; a header that is the
    // list's last item heads nothing and goes too.
    if (n == count() - 1)
        delete takeItem(n);
    return 1;
}

void CDropListBox::ResetContent()
{
    FreeItemRecords();
    const QSignalBlocker quiet(this);
    clear();
}

void CDropListBox::FreeItemRecords()
{
    m_curRecord = DropItemRecord();
    m_nGroupCount = 0;
    m_nSelIndex = 0;
}

// ---- Looks ----------------------------------------------------------------------------

void CDropListBox::SetItemFont(const LOGFONT& lf)
{
    if (m_bItemFont)
        return;
    m_bItemFont = true;
    m_fontItem = CreateFontIndirect(lf).value_or(font());
    LOGFONT bold = lf;
    bold.lfWeight = 700;
    m_fontHeader = CreateFontIndirect(bold).value_or(m_fontItem);
    setFont(m_fontItem);
    m_nItemHeight = lf.lfHeight > 0 ? lf.lfHeight : QFontMetrics(m_fontItem).height();
    doItemsLayout();
    viewport()->update();
}

void CDropListBox::SetBkColor(COLORREF colour)
{
    m_clrBackground = ToQColor(colour);
    ApplyBackground();
    viewport()->repaint();
}

void CDropListBox::SetHotColor(COLORREF colour)
{
    m_clrHot = ToQColor(colour);
    viewport()->repaint();
}

void CDropListBox::ApplyBackground()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, m_clrBackground);
    palette.setColor(QPalette::Window, m_clrBackground);
    setPalette(palette);
    viewport()->setAutoFillBackground(true);
}

void CDropListBox::DrawItem(QPainter& painter, const QRect& itemRect, int row, bool hot) const
{
    const QListWidgetItem* it = item(row);
    if (it == nullptr)
        return;
    const DropItemRecord record = Record(row);
    // A flat block: its border has the ground's colour and reaches one pixel
    // into the neighbours.
    const QRect block = itemRect.adjusted(-1, -1, 1, 1);
    const bool lit = hot && !record.header;
    painter.save();
    painter.fillRect(block, m_clrBackground);
    painter.fillRect(block.adjusted(1, 1, -1, -1), lit ? m_clrHot : m_clrBackground);
    const QColor textColour = ToQColor(lit ? record.hot : record.text);
    painter.setPen(textColour);
    CRect r = CRect::FromQRect(block);
    r.left = 4;
    r.right -= 5;
    if (record.header) {
        // Bold at the left, then a rule in the text colour to the edge.
        painter.setFont(m_fontHeader);
        const QFontMetrics metrics(m_fontHeader);
        r.right = r.left + metrics.horizontalAdvance(it->text());
        r.bottom = r.top + metrics.height();
        DrawText(painter, it->text(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        const int y = r.top + r.Height() / 2;
        painter.setPen(QPen(textColour, 1));
        painter.drawLine(r.right + 2, y, viewport()->width() - 2 - 1, y);
    } else {
        painter.setFont(m_fontItem);
        DrawText(painter, it->text(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    }
    painter.restore();
}

// ---- Mouse, keys, focus -------------------------------------------------------------------

void CDropListBox::mouseMoveEvent(QMouseEvent* event)
{
    // Hot tracking: the item under the mouse becomes the selection, quietly.
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0 && row != currentRow())
        SelectRow(row);
    QListWidget::mouseMoveEvent(event);
}

void CDropListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit SelChange();
}

void CDropListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit SelChange();
}

void CDropListBox::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit FocusLost();
}
