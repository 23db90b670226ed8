#include "platform/gui/ModalDialog.h"

#include <utility>

#include <QDialog>

namespace {
ModalDialogHook& ModalDialogHookSlot()
{
    static ModalDialogHook hook;
    return hook;
}
}  // namespace

int RunModalDialog(QDialog& dialog)
{
    if (ModalDialogHookSlot())
        return ModalDialogHookSlot()(dialog);
    return dialog.exec();
}

ModalDialogHook SetModalDialogHook(ModalDialogHook hook)
{
    return std::exchange(ModalDialogHookSlot(), std::move(hook));
}
