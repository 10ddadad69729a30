#pragma once
// The desktop program's way of showing a message: a QMessageBox over the
// window on top. main() installs it with SetMessageHandler.

#include "platform/message_box.h"

class QWidget;

namespace okap {

// The window a message box belongs to: the modal window on top (a dialog
// or a progress window over the active window), else the active window.
QWidget* MessageOwner();

// Shows the message in a box owned by MessageOwner() and brought to the
// front, so that no window can hide it while it waits for an answer.
MessageResult ShowMessageBox(const Message& message);

}  // namespace okap
