#include "controls/grid/InPlaceEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>

#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceSupport.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LineInputFilter.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

CInPlaceEdit::CInPlaceEdit(QWidget* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                           const QString& sInitText, UINT nFirstChar)
    : QLineEdit(GetClientWidget(pParent)),
      CInPlaceEditing(pParent, nRow, nColumn, sInitText),
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

    if (const QFont* gridFont = GridFontOf(pParent))
        setFont(*gridFont);
    setText(sInitText);
    show();
    setFocus(Qt::OtherFocusReason);
    // Whatever the user puts in (typed, pasted, committed) may widen it.
    connect(this, &QLineEdit::textChanged, this, [this] { Grow(); });

    // The mouse and Enter put the caret after the text; Backspace removes
    // the last character; Tab, space and the caret keys (32 to 40) select
    // the text; any other character is typed over it.
    if (nFirstChar == VK_LBUTTON || nFirstChar == VK_RETURN || nFirstChar == VK_BACK) {
        end(false);
        if (nFirstChar == VK_BACK)
            ReplayChar(VK_BACK);
    } else {
        selectAll();
        if (nFirstChar != VK_TAB && (nFirstChar < VK_SPACE || nFirstChar > VK_DOWN))
            ReplayChar(nFirstChar);
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
    return HandleEditorKeys(event, [this](QKeyEvent* key) { keyPressEvent(key); }) || QLineEdit::event(event);
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

void CInPlaceEdit::Grow()
{
    const int width = QFontMetrics(font()).horizontalAdvance(text() + QStringLiteral("  "));
    if (width <= m_rcEdit.Width())
        return;
    // The grid knows its client area before it is laid out; a cell cut by
    // the edge keeps what it has.
    const auto* grid = qobject_cast<const CGridCtrl*>(m_pOwner.data());
    const int clientRight = grid ? grid->GetClientRect().right : parentWidget()->width();
    m_rcEdit.right = std::max(m_rcEdit.right, std::min(m_rcEdit.left + width, clientRight));
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
    Finish(this, text());
}
