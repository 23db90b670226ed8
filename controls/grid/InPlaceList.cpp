#include "controls/grid/InPlaceList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

#include "controls/grid/GridCell.h"
#include "controls/grid/InPlaceKeys.h"
#include "controls/grid/InPlaceListEdit.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

CInPlaceList::CInPlaceList(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const QStringList& items, const QString& sInitText, UINT nFirstChar)
    : QComboBox(GetClientWidget(pParent)),
      m_strInitText(sInitText),
      m_nRow(nRow),
      m_nColumn(nColumn),
      m_pOwner(pParent)
{
    if (pParent == nullptr) {
        m_bEnded = true;
        deleteLater();
        return;
    }
    const bool dropDownList = (dwStyle & 3) == CBS_DROPDOWNLIST;
    SetDlgCtrlID(this, int(nID));
    SetWindowStyle(this, dwStyle);
    if (!dropDownList) {
        m_edit = new CInPlaceListEdit(this);
        setLineEdit(m_edit);
        setCompleter(nullptr);  // the field completes nothing by itself
        setInsertPolicy(QComboBox::NoInsert);
        InstallAsciiOnlyFilter(m_edit);
    }
    addItems(items);

    // As wide as the longest item with the list's scroll bar needs, never
    // narrower than the cell; the field as high as the cell.
    QFont listFont = font();
    if (auto* owner = dynamic_cast<CMsgTarget*>(pParent)) {
        if (const auto* gridFont = reinterpret_cast<const QFont*>(SendMessage(owner, WM_GETFONT, 0, 0)))
            listFont = *gridFont;
    }
    const QFontMetrics metrics(listFont);
    int width = 0;
    for (const QString& item : items)
        width = std::max(width, metrics.horizontalAdvance(item));
    width += style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    CRect area = rect;
    if (area.Width() < width)
        area.right = area.left + width;
    setGeometry(area.ToQRect());
    setFont(listFont);
    view()->setMinimumWidth(width);
    setMaxVisibleItems(m_nDropLines);

    if (!SelectItemStartingWith(m_strInitText)) {
        setCurrentIndex(-1);
        if (m_edit)
            setEditText(m_strInitText);
    }
    show();
    setFocus(Qt::OtherFocusReason);
    if (m_edit == nullptr)
        return;

    const int initEnd = int(std::min(m_strInitText.size(), m_edit->text().size()));
    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        m_edit->setCursorPosition(initEnd);
        break;
    case VK_BACK:
        m_edit->setCursorPosition(initEnd);
        TypeCharacter(m_edit, VK_BACK);
        break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        m_edit->selectAll();
        break;
    default:
        m_edit->selectAll();
        TypeCharacter(m_edit, nFirstChar);
        break;
    }
}

bool CInPlaceList::SelectItemStartingWith(const QString& text)
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

bool CInPlaceList::HoldsFocus() const
{
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == this || focus == m_edit || view()->window()->isAncestorOf(focus) ||
                                focus == view()->window());
}

bool CInPlaceList::event(QEvent* event)
{
    if (ClaimEditorShortcut(event))
        return true;
    if (IsTabPress(event)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QComboBox::event(event);
}

void CInPlaceList::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    const UINT vk = VirtualKeyFromQtKey(event->key());
    if (IsArrowOrPageKey(vk) && (m_bExitOnArrows || (event->modifiers() & Qt::ControlModifier))) {
        OnKeyDown(vk);
        return;
    }
    // Tab, Enter and Escape act when released.
    if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE)
        return;
    QComboBox::keyPressEvent(event);
    event->accept();  // nothing goes on to the grid or the dialog
}

void CInPlaceList::keyReleaseEvent(QKeyEvent* event)
{
    const UINT vk = VirtualKeyFromQtKey(event->key());
    if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
        event->accept();
        OnKeyUp(vk);
        return;
    }
    QComboBox::keyReleaseEvent(event);
}

void CInPlaceList::OnKeyDown(UINT nChar)
{
    if (!IsArrowOrPageKey(nChar) || !(m_bExitOnArrows || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier)))
        return;
    m_nLastChar = nChar;
    FocusOwner();
}

void CInPlaceList::OnKeyUp(UINT nChar)
{
    if (nChar == VK_ESCAPE) {
        if (m_edit) {
            setEditText(m_strInitText);
        } else if (!SelectItemStartingWith(m_strInitText)) {
            setCurrentIndex(-1);
        }
    }
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
        m_nLastChar = nChar;
        FocusOwner();
    }
}

void CInPlaceList::FocusOwner()
{
    if (m_pOwner)
        m_pOwner->setFocus(Qt::OtherFocusReason);
    // In a window that is not active the focus moves without a focus-out.
    EndEdit();
}

void CInPlaceList::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // A drop-down ends through its edit field; a popup (the list) gives the
    // focus back.
    if (m_edit == nullptr && event->reason() != Qt::PopupFocusReason && !HoldsFocus())
        EndEdit();
}

void CInPlaceList::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    NMGRIDITEM notice;
    notice.hdr.hwndFrom = this;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    notice.hdr.code = LVN_ENDLABELEDITA;
    notice.item.mask = GIM_TEXT | GIM_PARAM;
    notice.item.row = m_nRow;
    notice.item.col = m_nColumn;
    notice.item.text = currentText();
    notice.item.lParam = LPARAM(m_nLastChar);
    if (auto* owner = dynamic_cast<CMsgTarget*>(m_pOwner.data()))
        SendMessage(owner, WM_NOTIFY, WPARAM(notice.hdr.idFrom), reinterpret_cast<LPARAM>(&notice));
    deleteLater();
}

void CInPlaceList::Detach()
{
    m_pOwner = nullptr;
    m_bEnded = true;
}
