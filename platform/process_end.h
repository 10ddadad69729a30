#pragma once
// Ending the program. The few places that must end it call EndProcess, so
// that a test can observe the exit code instead of the test itself ending.

#include <functional>

namespace okap {

// Called with the exit code before the process exits. A test installs one
// that throws ProcessEnded; the program needs none.
using ProcessEndHandler = std::function<void(int exitCode)>;

// Installs the handler and returns the one it replaces.
ProcessEndHandler SetProcessEndHandler(ProcessEndHandler handler);

// Runs the handler, then ends the process with exitCode if the handler
// returned.
[[noreturn]] void EndProcess(int exitCode);

// What the test handler throws.
struct ProcessEnded {
    int exitCode;
};

// For tests: while it lives, EndProcess throws ProcessEnded instead of
// ending the process.
class ProcessEndCatcher {
public:
    ProcessEndCatcher();
    ~ProcessEndCatcher();
    ProcessEndCatcher(const ProcessEndCatcher&) = delete;
    ProcessEndCatcher& operator=(const ProcessEndCatcher&) = delete;

private:
    ProcessEndHandler previous;
};

}  // namespace okap
