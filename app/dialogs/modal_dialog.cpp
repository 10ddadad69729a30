#include "app/dialogs/modal_dialog.h"

#include <QDialog>
#include <utility>

namespace okap {

namespace {

ModalDialogRunner& CurrentRunner() {
    static ModalDialogRunner runner;
    return runner;
}

}  // namespace

int ExecModal(QDialog& dialog) {
    const ModalDialogRunner& runner = CurrentRunner();
    return runner ? runner(dialog) : dialog.exec();
}

ModalDialogRunner SetModalDialogRunner(ModalDialogRunner runner) {
    return std::exchange(CurrentRunner(), std::move(runner));
}

}  // namespace okap
