#include "tools/okaptool/replace_answer.h"

#include <iostream>

#include "platform/message_box.h"

namespace okap::tool {

void AnswerReplaceWith(bool replace) {
    SetMessageHandler([replace](const Message& message) {
        if (message.buttons == MessageButtons::YesNo) {
            if (replace) return MessageResult::Yes;
            std::cerr << "okaptool: " << message.text << " No: use --replace to replace it\n";
            return MessageResult::No;
        }
        return PrintMessage(message);
    });
}

}  // namespace okap::tool
