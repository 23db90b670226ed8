// The modal-dialog seam: a hook answers in place of the user and sees the
// dialog; without one the dialog's own loop runs until it ends.
#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>

#include "platform/gui/ModalDialog.h"

namespace {

TEST(ModalDialogTest, AHookAnswersAndTheRealLoopRunsWithoutOne)
{
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Report"));
    QString seen;
    const ModalDialogHook previous = SetModalDialogHook([&](QDialog& shown) {
        seen = shown.windowTitle();
        return 7;
    });
    EXPECT_EQ(RunModalDialog(dialog), 7);
    EXPECT_EQ(seen, QStringLiteral("Report"));
    EXPECT_FALSE(dialog.isVisible());

    SetModalDialogHook(ModalDialogHook());
    QTimer::singleShot(0, &dialog, [&] { dialog.done(QDialog::Accepted); });
    EXPECT_EQ(RunModalDialog(dialog), int(QDialog::Accepted));
    SetModalDialogHook(previous);
}

}  // namespace
