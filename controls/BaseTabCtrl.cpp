#include "controls/BaseTabCtrl.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QtDebug>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The room the body's border and padding take on every side, and where the
// first tab starts.
constexpr int kBodyInset = 4;
constexpr int kFirstTabX = 2;
constexpr int kTabTop = 2;
// A tab's text padding on each side, the room an image takes, and the
// tab's height over the font's.
constexpr int kTextPadding = 6;
constexpr int kImageRoom = 19;
constexpr int kExtraHeight = 7;
}  // namespace

CBaseTabCtrl::CBaseTabCtrl(int nType, QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    EnableDraw(nType);
}

bool CBaseTabCtrl::EnableDraw(int nType)
{
    if (nType < 0 || nType > 2) {
        qWarning("CBaseTabCtrl::EnableDraw: draw type %d out of range", nType);
        return false;
    }
    m_nDrawType = nType;
    const DWORD style = GetWindowStyle(this);
    SetWindowStyle(this, nType != 0 ? style | TCS_OWNERDRAWFIXED : style & ~DWORD(TCS_OWNERDRAWFIXED));
    update();
    return true;
}

void CBaseTabCtrl::SetBkgndColor(COLORREF colour)
{
    m_clrBackground = colour;
    update();
}

COLORREF CBaseTabCtrl::BackgroundColour() const
{
    return m_clrBackground == BKGND_SYSTEM ? ToColorRef(GetSysColor(COLOR_BTNFACE)) : m_clrBackground;
}

void CBaseTabCtrl::PreSubclassWindow()
{
    if (m_nDrawType != 0)
        SetWindowStyle(this, GetWindowStyle(this) | TCS_OWNERDRAWFIXED);
}

// ---- Items ------------------------------------------------------------------

int CBaseTabCtrl::InsertItem(int index, const QString& text, int image)
{
    index = std::clamp(index, 0, GetItemCount());
    m_items.insert(index, Item{text, image});
    if (m_nCurSel >= index)
        ++m_nCurSel;
    else if (m_nCurSel < 0)
        m_nCurSel = 0;
    update();
    return index;
}

bool CBaseTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items.removeAt(index);
    if (m_nCurSel == index)
        m_nCurSel = -1;
    else if (m_nCurSel > index)
        --m_nCurSel;
    update();
    return true;
}

void CBaseTabCtrl::DeleteAllItems()
{
    m_items.clear();
    m_nCurSel = -1;
    update();
}

QString CBaseTabCtrl::GetItemText(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[index].text : QString();
}

int CBaseTabCtrl::GetItemImage(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[index].image : -1;
}

int CBaseTabCtrl::SetCurSel(int index)
{
    if (index < -1 || index >= GetItemCount())
        return -1;
    const int previous = m_nCurSel;
    m_nCurSel = index;
    update();
    return previous;
}

void CBaseTabCtrl::SetImageList(const QList<QImage>& images)
{
    m_images = images;
    update();
}

void CBaseTabCtrl::SetItemHeight(int height)
{
    m_nItemHeight = height;
    update();
}

int CBaseTabCtrl::ItemHeight() const
{
    return m_nItemHeight > 0 ? m_nItemHeight : QFontMetrics(font()).height() + kExtraHeight;
}

int CBaseTabCtrl::ItemWidth(int index) const
{
    int width = QFontMetrics(font()).horizontalAdvance(m_items[index].text) + 2 * kTextPadding;
    if (!m_images.isEmpty())
        width += kImageRoom;
    return width;
}

bool CBaseTabCtrl::GetItemRect(int index, CRect* rect) const
{
    if (index < 0 || index >= GetItemCount())
        return false;
    int x = kFirstTabX;
    for (int i = 0; i < index; ++i)
        x += ItemWidth(i);
    rect->SetRect(x, kTabTop, x + ItemWidth(index), kTabTop + ItemHeight());
    return true;
}

int CBaseTabCtrl::HitTest(const QPoint& point) const
{
    CRect r;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItemRect(i, &r) && r.PtInRect(point))
            return i;
    }
    return -1;
}

CRect CBaseTabCtrl::BodyRect() const
{
    CRect display(0, 0, width(), height());
    AdjustRect(false, &display);
    return CRect(0, display.top - 2, width(), height());
}

void CBaseTabCtrl::AdjustRect(bool bLarger, CRect* rect) const
{
    // One row of tabs, always: the strip keeps its place without items.
    if (bLarger) {
        rect->top -= ItemHeight();
        rect->InflateRect(kBodyInset, kBodyInset);
    } else {
        rect->DeflateRect(kBodyInset, kBodyInset);
        rect->top += ItemHeight();
    }
}

// ---- Hooks of the base ---------------------------------------------------------

void CBaseTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
    qWarning("CBaseTabCtrl::DrawItem: a subclass draws the items");
}

void CBaseTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT)
{
    qWarning("CBaseTabCtrl::DrawMainBorder: a subclass draws the border");
}

void CBaseTabCtrl::DrawItemBorder(LPDRAWITEMSTRUCT)
{
    qWarning("CBaseTabCtrl::DrawItemBorder: a subclass draws the item borders");
}

COLORREF CBaseTabCtrl::GetTabColor(bool)
{
    return RGB(255, 0, 0);
}

COLORREF CBaseTabCtrl::GetTabTextColor(bool)
{
    return ToColorRef(GetSysColor(COLOR_WINDOWTEXT));
}

void CBaseTabCtrl::FillSolidRect(QPainter& painter, const CRect& rect, COLORREF colour)
{
    CRect r = rect;
    r.NormalizeRect();
    painter.fillRect(r.ToQRect(), ToQColor(colour));
}

// ---- Painting -------------------------------------------------------------------

void CBaseTabCtrl::EraseBackground(QPainter& painter)
{
    // The window itself is transparent (the dialog shows through); the
    // background colour goes around the tab strip.
    CRect strip;
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect item;
        GetItemRect(i, &item);
        strip.UnionRect(strip, item);
    }
    const int h = strip.Height();
    strip.InflateRect(2, 3);
    const CRect client(0, 0, width(), height());
    const COLORREF colour = BackgroundColour();
    FillSolidRect(painter, CRect(client.left, client.top, client.right, strip.top + 3), colour);
    FillSolidRect(painter, CRect(client.left, client.top, 2, client.top + h + 2), colour);
    FillSolidRect(painter, CRect(client.left + strip.Width() - 2, client.top, client.right, client.top + h + 2),
                  colour);
}

DRAWITEMSTRUCT CBaseTabCtrl::ItemRecord(QPainter& painter, int index, UINT state, const CRect& rect) const
{
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_TAB;
    dis.CtlID = UINT(GetDlgCtrlID(this));
    dis.itemID = UINT(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = const_cast<CBaseTabCtrl*>(this);
    dis.hDC = &painter;
    dis.rcItem = rect;
    return dis;
}

void CBaseTabCtrl::PaintWithStyle(QPainter& painter, bool ownerDrawn)
{
    CRect body = BodyRect();
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = body.ToQRect();
    frame.shape = QTabBar::RoundedNorth;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);

    const int count = GetItemCount();
    auto drawOne = [&](int i) {
        const bool selected = i == m_nCurSel;
        CRect r;
        GetItemRect(i, &r);
        if (selected)
            r.InflateRect(0, 2);
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.rect = r.ToQRect();
        tab.shape = QTabBar::RoundedNorth;
        tab.position = count == 1 ? QStyleOptionTab::OnlyOneTab
                       : i == 0   ? QStyleOptionTab::Beginning
                       : i == count - 1 ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
        if (selected)
            tab.state |= QStyle::State_Selected;
        // A style may paint past the rectangle it is given.
        painter.save();
        painter.setClipRect(tab.rect);
        style()->drawControl(QStyle::CE_TabBarTabShape, &tab, &painter, this);
        painter.restore();
        if (ownerDrawn) {
            DRAWITEMSTRUCT dis = ItemRecord(painter, i, selected ? UINT(ODS_SELECTED) : 0u, r);
            DrawItem(&dis);
            return;
        }
        // The label: the image at the left, the text centred in the rest.
        CRect label = r;
        label.DeflateRect(kTextPadding / 2, 0);
        const int image = m_items[i].image;
        if (!m_images.isEmpty()) {
            if (image >= 0 && image < m_images.size())
                painter.drawImage(label.left, label.top + (label.Height() - m_images[image].height()) / 2, m_images[image]);
            label.left += kImageRoom;
        }
        painter.setPen(GetSysColor(COLOR_BTNTEXT));
        DrawText(painter, m_items[i].text, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    };
    for (int i = count - 1; i >= 0; --i) {
        if (i != m_nCurSel)
            drawOne(i);
    }
    if (m_nCurSel >= 0)
        drawOne(m_nCurSel);
}

void CBaseTabCtrl::PaintEverything(QPainter& painter)
{
    DRAWITEMSTRUCT main = ItemRecord(painter, 0, 0, BodyRect());
    DrawMainBorder(&main);
    if (GetItemCount() == 0)
        return;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (i == m_nCurSel)
            continue;
        CRect r;
        GetItemRect(i, &r);
        r.bottom -= 2;
        DRAWITEMSTRUCT dis = ItemRecord(painter, i, 0, r);
        DrawItem(&dis);
        DrawItemBorder(&dis);
    }
    // With items but none selected there is no selected tab to draw last.
    if (m_nCurSel < 0)
        return;
    CRect r;
    GetItemRect(m_nCurSel, &r);
    r.InflateRect(0, 2);
    DRAWITEMSTRUCT dis = ItemRecord(painter, m_nCurSel, ODS_SELECTED, r);
    DrawItem(&dis);
    DrawItemBorder(&dis);
}

void CBaseTabCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    EraseBackground(painter);
    switch (m_nDrawType) {
    case 0:
        PaintWithStyle(painter, false);
        break;
    case 1:
        PaintWithStyle(painter, true);
        break;
    default:
        PaintEverything(painter);
        break;
    }
}

// ---- Mouse ------------------------------------------------------------------------

void CBaseTabCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const int item = HitTest(event->position().toPoint());
    m_bHand = item >= 0 && item != 3 && item != m_nCurSel;
    OnSetCursor();
    if (item < 0)
        QWidget::mouseMoveEvent(event);
}

void CBaseTabCtrl::OnSetCursor()
{
    m_bHandShown = m_bHand;
    setCursor(m_bHand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    m_bHand = false;
}

void CBaseTabCtrl::mousePressEvent(QMouseEvent* event)
{
    const int item = event->button() == Qt::LeftButton ? HitTest(event->position().toPoint()) : -1;
    if (item < 0 || item == m_nCurSel) {
        QWidget::mousePressEvent(event);
        return;
    }
    SetCurSel(item);
    emit SelChange(item);
}
