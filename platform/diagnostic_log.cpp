#include "platform/diagnostic_log.h"

#include <utility>

namespace okap {

namespace {

// A stream with no buffer: each thread fails its own writes.
std::ostream& Discard() {
    thread_local std::ostream discard(nullptr);
    return discard;
}

// The log belongs to the thread that set it (the program's own): a stream
// is not for two threads at once, so a paint in the background logs
// nothing, and its messages are logged when the window shows them.
std::ostream*& Current() {
    thread_local std::ostream* log = nullptr;
    return log;
}

}  // namespace

std::ostream& DiagnosticLog() { return Current() ? *Current() : Discard(); }

std::ostream* SetDiagnosticLog(std::ostream* log) { return std::exchange(Current(), log); }

}  // namespace okap
