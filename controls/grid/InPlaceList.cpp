#include "controls/grid/InPlaceList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>

#include "controls/grid/InPlaceSupport.h"
#include "controls/grid/InPlaceListEdit.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

CInPlaceList::CInPlaceList(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const QStringList& items, const QString& sInitText, UINT nFirstChar)
    : QComboBox(GetClientWidget(pParent)), CInPlaceEditing(pParent, nRow, nColumn, sInitText)
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
    const QFont* gridFont = GridFontOf(pParent);
    const QFont listFont = gridFont ? *gridFont : font();
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
    // Unlike the plain editor's, Tab and space are typed over the text too;
    // only the caret keys (33 to 40) just select it.
    if (nFirstChar == VK_LBUTTON || nFirstChar == VK_RETURN || nFirstChar == VK_BACK) {
        m_edit->setCursorPosition(initEnd);
        if (nFirstChar == VK_BACK)
            TypeCharacter(m_edit, VK_BACK);
    } else {
        m_edit->selectAll();
        if (nFirstChar < VK_PRIOR || nFirstChar > VK_DOWN)
            TypeCharacter(m_edit, nFirstChar);
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
    return HandleEditorKeys(event, [this](QKeyEvent* key) { keyPressEvent(key); }) || QComboBox::event(event);
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
    Finish(this, currentText());
}
