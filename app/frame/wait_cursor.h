#pragma once
// The wait cursor while long work runs.

#include "platform/message_box.h"

namespace okap {

// The wait cursor while it lives; messages shown meanwhile (failures, the
// question whether to replace an existing output file) get the arrow.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    MessageHandler previous;
};

}  // namespace okap
