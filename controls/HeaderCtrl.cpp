#include "controls/HeaderCtrl.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionHeader>

#include "platform/core/MsgTarget.h"
#include "platform/gui/WindowAttributes.h"

bool IsBeginTrackNotice(LPARAM lParam)
{
    const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
    return notice != nullptr && (notice->code == HDN_BEGINTRACKA || notice->code == HDN_BEGINTRACKW);
}

CHeaderCtrl::CHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(0);
}

QSize CHeaderCtrl::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (count() == 0) {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.text = QStringLiteral("X");
        size.setHeight(style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height());
    }
    return size;
}

int CHeaderCtrl::GetItemCount() const
{
    return count();
}

bool CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    if (item == nullptr || index < 0 || index >= count() || model() == nullptr)
        return false;
    if (item->mask & HDI_WIDTH)
        item->cxy = sectionSize(index);
    if (item->mask & HDI_TEXT)
        item->pszText = model()->headerData(index, orientation(), Qt::DisplayRole).toString();
    if (item->mask & HDI_FORMAT)
        item->fmt = model()->headerData(index, orientation(), FormatRole).toInt();
    return true;
}

bool CHeaderCtrl::GetItemRect(int index, CRect* rect) const
{
    if (rect == nullptr || index < 0 || index >= count())
        return false;
    const int left = sectionViewportPosition(index);
    *rect = CRect(left, 0, left + sectionSize(index), viewport()->height());
    return true;
}

int CHeaderCtrl::DividerAt(int x) const
{
    // The grip of a divider reaches a few pixels into the items on both sides.
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    int visual = visualIndexAt(x);
    if (visual < 0)
        return -1;
    const int item = logicalIndex(visual);
    const int left = sectionViewportPosition(item);
    if (x < left + grip) {
        while (--visual >= 0) {
            const int before = logicalIndex(visual);
            if (!isSectionHidden(before))
                return before;
        }
        return -1;
    }
    if (x > left + sectionSize(item) - grip)
        return item;
    return -1;
}

bool CHeaderCtrl::TrackRefused(int item)
{
    NMHEADER notice;
    notice.hdr.hwndFrom = this;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    notice.hdr.code = HDN_BEGINTRACKW;
    notice.iItem = item;
    return SendMessage(GetParentTarget(this), WM_NOTIFY, WPARAM(notice.hdr.idFrom), reinterpret_cast<LPARAM>(&notice)) != 0;
}

bool CHeaderCtrl::RefusedAtDivider(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const int item = DividerAt(event->position().toPoint().x());
    if (item < 0 || !TrackRefused(item))
        return false;
    event->accept();
    return true;
}

void CHeaderCtrl::mousePressEvent(QMouseEvent* event)
{
    if (!RefusedAtDivider(event))
        QHeaderView::mousePressEvent(event);
}

void CHeaderCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!RefusedAtDivider(event))
        QHeaderView::mouseDoubleClickEvent(event);
}
