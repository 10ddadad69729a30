#include "platform/message_box.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "platform/diagnostic_log.h"

namespace okap {

namespace {

// Each thread shows its messages its own way: a paint in the background
// records them to be shown by the window afterwards, and a thread that set
// no handler writes them to standard error.
MessageHandler& CurrentHandler() {
    thread_local MessageHandler handler;
    return handler;
}

}  // namespace

MessageResult FirstButton(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        case MessageButtons::RetryCancel:
            return MessageResult::Retry;
        default:
            return MessageResult::Ok;
    }
}

std::ostream& operator<<(std::ostream& os, const Message& m) {
    return os << '[' << m.caption << "] " << m.text;
}

std::ostream& operator<<(std::ostream& os, MessageResult r) {
    static const char* const names[] = {"Ok", "Cancel", "Yes", "No", "Retry"};
    return os << names[static_cast<int>(r)];
}

MessageResult PrintMessage(const Message& message) {
    std::cerr << message.caption << ": " << message.text << '\n';
    return FirstButton(message.buttons);
}

MessageResult MessageBox(std::string_view text, std::string_view caption, MessageButtons buttons,
                         MessageIcon icon) {
    Message message{std::string(text), std::string(caption), buttons, icon};
    // Flushed at once, so that the log holds every message up to a crash.
    DiagnosticLog() << message << std::endl;
    const MessageHandler& handler = CurrentHandler();
    return handler ? handler(message) : PrintMessage(message);
}

void ShowError(std::string_view text) { MessageBox(text, "Error", MessageButtons::Ok, MessageIcon::Stop); }

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

MessageRecorder::MessageRecorder() {
    previous = SetMessageHandler([this](const Message& message) {
        messages.push_back(message);
        return nextAnswer < script.size() ? script[nextAnswer++] : FirstButton(message.buttons);
    });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(previous)); }

void MessageRecorder::Answer(std::vector<MessageResult> answers) {
    script = std::move(answers);
    nextAnswer = 0;
}

std::vector<std::string> MessageRecorder::Texts() const {
    std::vector<std::string> texts;
    for (const Message& m : messages) texts.push_back(m.text);
    return texts;
}

DistinctMessages::DistinctMessages() {
    previous = SetMessageHandler([this](const Message& message) {
        if (std::find(shown.begin(), shown.end(), message) != shown.end()) return FirstButton(message.buttons);
        shown.push_back(message);
        return previous ? previous(message) : PrintMessage(message);
    });
}

DistinctMessages::~DistinctMessages() { SetMessageHandler(std::move(previous)); }

}  // namespace okap
