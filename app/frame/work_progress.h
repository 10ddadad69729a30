#pragma once
// The progress window of long work (a translation, an import, an export):
// window-modal over its parent, with a Cancel button that asks the work to
// stop.

#include <QProgressDialog>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace okap {

class WorkProgress {
public:
    // The window is made and shown only at Show or at the first report of
    // progress, so that questions and failures before the work starts
    // (whether to replace an output, say) come alone.
    WorkProgress(QWidget* parent, const QString& caption, const QString& label)
        : parent(parent), caption(caption), label(label) {}

    void Show();
    // For the work to call with the share done, 0 to 1: brings the window
    // up to date (showing it first) and returns false once Cancel was
    // pressed.
    std::function<bool(double)> Callback();
    // Takes the window away once the work has ended.
    void Close();

private:
    QWidget* parent;
    QString caption;
    QString label;
    std::unique_ptr<QProgressDialog> dialog;
};

}  // namespace okap
