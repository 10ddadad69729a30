#include "platform/diagnostic_log.h"

#include <utility>

namespace okap {

namespace {

std::ostream& Discard() {
    static std::ostream discard(nullptr);
    return discard;
}

std::ostream*& Current() {
    static std::ostream* log = nullptr;
    return log;
}

}  // namespace

std::ostream& DiagnosticLog() { return Current() ? *Current() : Discard(); }

std::ostream* SetDiagnosticLog(std::ostream* log) { return std::exchange(Current(), log); }

}  // namespace okap
