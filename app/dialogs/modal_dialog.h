#pragma once
// Running a modal dialog. Commands run their dialogs through ExecModal, so
// that a test can put a script in place of the user: the script fills the
// controls, presses a button and returns the dialog's result, while the
// command's own logic before and after the dialog runs as it would.

#include <functional>

class QDialog;

namespace okap {

using ModalDialogRunner = std::function<int(QDialog& dialog)>;

// Runs dialog modally (QDialog::exec, or the installed runner) and returns
// its result (QDialog::Accepted or Rejected).
int ExecModal(QDialog& dialog);

// Installs a runner and returns the one it replaces (empty: exec()).
ModalDialogRunner SetModalDialogRunner(ModalDialogRunner runner);

}  // namespace okap
