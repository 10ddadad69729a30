#pragma once
// Messages to the user. Everything below the widgets reports through
// MessageBox; who shows it is set by the program: the desktop program a
// dialog, okaptool standard error, tests a MessageRecorder.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace okap {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Information, Question, Warning, Stop };
enum class MessageResult { Ok, Cancel, Yes, No, Retry };

struct Message {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    friend bool operator==(const Message&, const Message&) = default;
};

std::ostream& operator<<(std::ostream& os, const Message& m);
std::ostream& operator<<(std::ostream& os, MessageResult r);

using MessageHandler = std::function<MessageResult(const Message&)>;

// Shows a message and returns the button pressed.
MessageResult MessageBox(std::string_view text, std::string_view caption,
                         MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::None);

// Reports a failure the usual way: an OK box with caption "Error".
void ShowError(std::string_view text);

// Installs the handler that shows the calling thread's messages and returns
// the one it replaces. Without one, messages go to standard error and are
// answered with the first button (OK or Yes).
MessageHandler SetMessageHandler(MessageHandler handler);

// The answer of the first button: Yes, Retry or OK.
MessageResult FirstButton(MessageButtons buttons);

// Writes the message to standard error as "caption: text" and answers with
// the first button. The handler of okaptool and of the program with no GUI.
MessageResult PrintMessage(const Message& message);

// Records every message shown while it lives and answers from a script,
// then restores the previous handler. Tests read what was shown; the
// program holds a drawing's messages with it and shows them once the paint
// is over, since a message box must not run inside a paint.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Answers given to the next messages in turn; once they run out, each
    // message gets its first button.
    void Answer(std::vector<MessageResult> answers);

    std::vector<Message> messages;
    // The texts only, for short assertions.
    std::vector<std::string> Texts() const;

private:
    std::vector<MessageResult> script;
    size_t nextAnswer = 0;
    MessageHandler previous;
};

// While it lives, each message is shown only the first time; a repeat is
// answered with its first button unseen. One drawing that meets the same
// broken file in several of its steps reports it once.
class DistinctMessages {
public:
    DistinctMessages();
    ~DistinctMessages();
    DistinctMessages(const DistinctMessages&) = delete;
    DistinctMessages& operator=(const DistinctMessages&) = delete;

private:
    std::vector<Message> shown;
    MessageHandler previous;
};

}  // namespace okap
