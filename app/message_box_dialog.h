#pragma once
// The desktop program's way of showing a message: a QMessageBox over the
// active window. main() installs it with SetMessageHandler.

#include "platform/message_box.h"

namespace okap {

MessageResult ShowMessageBox(const Message& message);

}  // namespace okap
