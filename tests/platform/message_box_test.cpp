#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "platform/process_end.h"

namespace okap {
namespace {

TEST(MessageBoxTest, RecorderKeepsMessagesAndAnswersFromItsScript) {
    MessageRecorder recorder;
    recorder.Answer({MessageResult::No});
    EXPECT_EQ(MessageBox("Replace?", "Question", MessageButtons::YesNo), MessageResult::No);
    // Script used up: the first button answers.
    EXPECT_EQ(MessageBox("Again?", "Question", MessageButtons::YesNoCancel), MessageResult::Yes);
    ShowError("Map file path does not exist");
    EXPECT_EQ(recorder.messages.back(),
              (Message{"Map file path does not exist", "Error", MessageButtons::Ok, MessageIcon::Stop}));
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Replace?", "Again?", "Map file path does not exist"}));
}

TEST(MessageBoxTest, NestedRecorderRestoresTheOuterOne) {
    MessageRecorder outer;
    {
        MessageRecorder inner;
        ShowError("inner");
        EXPECT_EQ(inner.Texts(), std::vector<std::string>{"inner"});
    }
    ShowError("outer");
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
}

TEST(MessageBoxTest, DistinctMessagesLetsEachMessageThroughOnce) {
    MessageRecorder recorder;
    recorder.Answer({MessageResult::No});
    {
        DistinctMessages once;
        EXPECT_EQ(MessageBox("Replace?", "Query", MessageButtons::YesNo), MessageResult::No);
        // Seen before: not shown, answered with the first button.
        EXPECT_EQ(MessageBox("Replace?", "Query", MessageButtons::YesNo), MessageResult::Yes);
        ShowError("Replace?");  // another caption: another message
        ShowError("Replace?");
    }
    ShowError("Replace?");  // the filter is gone
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Replace?", "Replace?", "Replace?"}));
    EXPECT_EQ(recorder.messages[1].caption, "Error");
}

TEST(ProcessEndTest, CatcherTurnsTheEndIntoAnException) {
    ProcessEndCatcher catcher;
    try {
        EndProcess(1);
        FAIL() << "EndProcess returned";
    } catch (const ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 1);
    }
}

}  // namespace
}  // namespace okap
