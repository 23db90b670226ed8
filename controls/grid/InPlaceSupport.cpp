#include "controls/grid/InPlaceSupport.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "controls/grid/GridCell.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"

bool IsArrowOrPageKey(UINT nChar)
{
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool HandleEditorKeys(QEvent* event, const std::function<void(QKeyEvent*)>& keyPress)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    const bool tab = code == Qt::Key_Tab || code == Qt::Key_Backtab;
    if (event->type() == QEvent::KeyPress) {
        if (!tab)
            return false;
        keyPress(key);
        return true;
    }
    if ((key->modifiers() & Qt::AltModifier) || tab || code == Qt::Key_Return || code == Qt::Key_Enter ||
        code == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return false;
}

void TypeCharacter(QWidget* widget, UINT nChar)
{
    const int key = nChar == VK_BACK ? Qt::Key_Backspace : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(char16_t(nChar))));
    QCoreApplication::sendEvent(widget, &press);
}

const QFont* GridFontOf(QWidget* grid)
{
    auto* target = dynamic_cast<CMsgTarget*>(grid);
    return target ? reinterpret_cast<const QFont*>(SendMessage(target, WM_GETFONT, 0, 0)) : nullptr;
}

void SendEndOfEdit(QWidget* editor, QWidget* grid, int row, int col, const QString& text, UINT lastChar)
{
    auto* target = dynamic_cast<CMsgTarget*>(grid);
    if (target == nullptr)
        return;
    NMGRIDITEM notice;
    notice.hdr.hwndFrom = editor;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(editor));
    notice.hdr.code = LVN_ENDLABELEDITA;
    notice.item.mask = GIM_TEXT | GIM_PARAM;
    notice.item.row = row;
    notice.item.col = col;
    notice.item.text = text;
    notice.item.lParam = LPARAM(lastChar);
    SendMessage(target, WM_NOTIFY, WPARAM(notice.hdr.idFrom), reinterpret_cast<LPARAM>(&notice));
}
