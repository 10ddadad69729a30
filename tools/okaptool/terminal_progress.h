#pragma once
// Progress of a long command as a percentage on standard error, shown only
// while standard error is a terminal, so that logs and pipes stay clean.

#include <functional>
#include <string>

namespace okap::tool {

class TerminalProgress {
public:
    explicit TerminalProgress(std::string label);
    // Clears the line the percentage was shown on.
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // A callback that shows the share done, 0 to 1; it never asks to stop.
    // It must not outlive this object.
    std::function<bool(double)> Callback();
    // Takes the percentage off the screen, so that a message can be
    // printed on a line of its own; the next change shows it again.
    void Clear();
    // Makes the message handler in force clear the percentage before each
    // message, so that messages come on lines of their own. This object
    // must outlive the handler.
    void ClearBeforeMessages();

private:
    void Show(double fraction);

    std::string label;
    bool terminal;
    int shown = -1;  // the percentage on screen, -1 for none
};

}  // namespace okap::tool
