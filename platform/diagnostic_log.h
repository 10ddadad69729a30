#pragma once
// The diagnostic log (okap.deb). The program opens it at start when
// debugging is switched on; every message shown to the user and debug
// traces, such as the polygon clipper's, are written to it. Until a log is
// set, what is written is discarded. The log is the setting thread's own;
// other threads discard what they write.

#include <ostream>

namespace okap {

std::ostream& DiagnosticLog();

// Makes log the diagnostic log (nullptr discards again) and returns the
// previous one. The caller keeps log alive while it is set.
std::ostream* SetDiagnosticLog(std::ostream* log);

}  // namespace okap
