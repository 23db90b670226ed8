#pragma once
// The one way the program runs a dialog of its own modally, so that tests
// answer in place of the user: a hook receives the dialog (set up, not yet
// shown), may work it as a user would (clicks, texts) and returns the
// result; no event loop runs for it. Without a hook the dialog's own modal
// loop runs. UI thread only.
#include <functional>

class QDialog;

// The dialog's result: what it ended with (QDialog::Accepted, Rejected, or
// the code given to done()), or the hook's answer.
int RunModalDialog(QDialog& dialog);

// Replaces the modal loop: the hook answers every RunModalDialog. Returns
// the previous hook; an empty hook brings the real loop back.
using ModalDialogHook = std::function<int(QDialog& dialog)>;
ModalDialogHook SetModalDialogHook(ModalDialogHook hook);
