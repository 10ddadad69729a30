#include "app/frame/work_progress.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace okap {

namespace {
constexpr int kSteps = 1000;
}

void WorkProgress::Show() {
    if (dialog) return;
    dialog = std::make_unique<QProgressDialog>(label, "Cancel", 0, kSteps, parent);
    dialog->setWindowTitle(caption);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setValue(0);
    dialog->show();
}

void WorkProgress::Close() {
    if (dialog) dialog->close();
}

std::function<bool(double)> WorkProgress::Callback() {
    return [this](double fraction) {
        Show();
        const int value = static_cast<int>(std::lround(fraction * kSteps));
        if (value != dialog->value()) {
            // The progress window lets other windows paint while it is
            // brought up to date, and drawing may enter other directories;
            // the translator works by bare names in the current one.
            std::error_code ignored;
            const std::filesystem::path here = std::filesystem::current_path(ignored);
            dialog->setValue(value);
            std::filesystem::current_path(here, ignored);
        }
        return !dialog->wasCanceled();
    };
}

}  // namespace okap
