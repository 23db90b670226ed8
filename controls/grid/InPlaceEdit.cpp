#include "controls/grid/InPlaceEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include "controls/grid/GridCell.h"
#include "controls/grid/InPlaceKeys.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LineInputFilter.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

CInPlaceEdit::CInPlaceEdit(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const QString& sInitText, UINT nFirstChar)
    : QLineEdit(GetClientWidget(pParent)),
      m_pOwner(pParent),
      m_nRow(nRow),
      m_nColumn(nColumn),
      m_strInitText(sInitText),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON),
      m_rcEdit(rect)
{
    if (pParent == nullptr) {
        m_bEnded = true;
        deleteLater();
        return;
    }
    SetDlgCtrlID(this, int(nID));
    SetWindowStyle(this, dwStyle);
    if (dwStyle & ES_RIGHT)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else if (dwStyle & ES_CENTER)
        setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setFrame(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setGeometry(m_rcEdit.ToQRect());

    // The user's input: plain ASCII, at most TEXT_LIMIT characters. A longer
    // text set by the program stays whole; only what is put in is stopped.
    InstallLineInputFilter(this, [](const QLineEdit& edit, const QString& text, EInputSource) {
        return FitByteLimit(edit, SplitCharacters(StripNonAscii(text)), TEXT_LIMIT);
    });

    if (auto* owner = dynamic_cast<CMsgTarget*>(pParent)) {
        if (const auto* font = reinterpret_cast<const QFont*>(SendMessage(owner, WM_GETFONT, 0, 0)))
            setFont(*font);
    }
    setText(sInitText);
    show();
    setFocus(Qt::OtherFocusReason);
    connect(this, &QLineEdit::textEdited, this, [this] { Grow(); });

    switch (nFirstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        end(false);
        break;
    case VK_BACK:
        end(false);
        ReplayChar(VK_BACK);
        break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        selectAll();
        break;
    default:
        selectAll();
        ReplayChar(nFirstChar);
        break;
    }
}

UINT CInPlaceEdit::OnGetDlgCode() const
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::ReplayChar(UINT nChar)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)
        OnChar(nChar);
    else
        TypeCharacter(this, nChar);
}

bool CInPlaceEdit::event(QEvent* event)
{
    if (ClaimEditorShortcut(event))
        return true;
    if (IsTabPress(event)) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    // Whatever the edit does not use stays here: nothing goes on to the
    // grid or the dialog.
    event->accept();
    if (event->modifiers() & Qt::AltModifier)
        return;
    const UINT vk = VirtualKeyFromQtKey(event->key());
    if (vk != 0 && OnKeyDown(vk))
        return;
    if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
        OnChar(vk);
        return;
    }
    QLineEdit::keyPressEvent(event);
    event->accept();
}

bool CInPlaceEdit::OnKeyDown(UINT nChar)
{
    if (!IsArrowOrPageKey(nChar) || !(m_bExitOnArrows || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier)))
        return false;
    m_nLastChar = nChar;
    FocusOwner();
    return true;
}

void CInPlaceEdit::OnChar(UINT nChar)
{
    if (nChar == VK_ESCAPE)
        setText(m_strInitText);
    m_nLastChar = nChar;
    FocusOwner();
}

void CInPlaceEdit::FocusOwner()
{
    if (m_pOwner)
        m_pOwner->setFocus(Qt::OtherFocusReason);
    // In a window that is not active the focus moves without a focus-out.
    EndEdit();
}

void CInPlaceEdit::Grow()
{
    const int width = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  "));
    if (width <= m_rcEdit.Width())
        return;
    const int clientRight = parentWidget() ? parentWidget()->width() : m_rcEdit.right;
    m_rcEdit.right = std::min(m_rcEdit.left + width, clientRight);
    setGeometry(m_rcEdit.ToQRect());
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (an input method's, a menu elsewhere) gives the focus back.
    if (event->reason() != Qt::PopupFocusReason)
        EndEdit();
}

void CInPlaceEdit::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void CInPlaceEdit::EndEdit()
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
    notice.item.text = text();
    notice.item.lParam = LPARAM(m_nLastChar);
    if (auto* owner = dynamic_cast<CMsgTarget*>(m_pOwner.data()))
        SendMessage(owner, WM_NOTIFY, WPARAM(notice.hdr.idFrom), reinterpret_cast<LPARAM>(&notice));
    // Closed once the event loop runs again, as a posted close would.
    deleteLater();
}

void CInPlaceEdit::Detach()
{
    m_pOwner = nullptr;
    m_bEnded = true;
}
