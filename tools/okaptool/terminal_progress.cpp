#include "tools/okaptool/terminal_progress.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "platform/message_box.h"

namespace okap::tool {

TerminalProgress::TerminalProgress(std::string label) : label(std::move(label)), terminal(isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() { Clear(); }

void TerminalProgress::Clear() {
    if (shown >= 0) std::cerr << '\r' << std::string(label.size() + 6, ' ') << '\r' << std::flush;
    shown = -1;
}

std::function<bool(double)> TerminalProgress::Callback() {
    return [this](double fraction) {
        Show(fraction);
        return true;
    };
}

void TerminalProgress::Show(double fraction) {
    if (!terminal) return;
    const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
    // Only a change is written: the callback comes once a segment.
    if (percent == shown) return;
    shown = percent;
    std::cerr << '\r' << label << ' ' << percent << '%' << std::flush;
}

void TerminalProgress::ClearBeforeMessages() {
    const MessageHandler handler = SetMessageHandler(nullptr);
    SetMessageHandler([this, handler](const Message& message) {
        Clear();
        return handler(message);
    });
}

}  // namespace okap::tool
