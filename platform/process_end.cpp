#include "platform/process_end.h"

#include <cstdlib>
#include <utility>

namespace okap {

namespace {

ProcessEndHandler& CurrentHandler() {
    static ProcessEndHandler handler;
    return handler;
}

}  // namespace

ProcessEndHandler SetProcessEndHandler(ProcessEndHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

void EndProcess(int exitCode) {
    if (const ProcessEndHandler& handler = CurrentHandler()) handler(exitCode);
    std::exit(exitCode);
}

ProcessEndCatcher::ProcessEndCatcher()
    : previous(SetProcessEndHandler([](int exitCode) { throw ProcessEnded{exitCode}; })) {}

ProcessEndCatcher::~ProcessEndCatcher() { SetProcessEndHandler(std::move(previous)); }

}  // namespace okap
