// The Map Translator command: its dialog, a translation run through it and
// the dialog coming back after a failure.

#include "app/dialogs/translator/translator_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>
#include <vector>

#include "app/app_fixture.h"
#include "app/dialogs/message_box_dialog.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"

namespace okap {
namespace {

// The settings as a list of texts, for comparing.
std::vector<std::string> Fields(const TranslatorSettings& s) {
    return {s.inputName, s.outputName, s.projectionName, s.originLongitude, s.originLatitude, s.resolution,
            s.boundarySpacing, s.west, s.east, s.north, s.south};
}

// The progress window of a translation, made (and shown once its delay
// has passed) or showing.
QProgressDialog* Progress(bool shown) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<QProgressDialog*>(window);
        if (progress && (!shown || progress->isVisible())) return progress;
    }
    return nullptr;
}
QProgressDialog* ShownProgress() { return Progress(true); }

// Notes, with every message, whether the progress window showed and
// whether the message box would belong to it, then lets the recorder
// answer.
class MessageWatcher {
public:
    MessageWatcher() {
        recorder = SetMessageHandler([this](const Message& message) {
            QProgressDialog* progress = ShownProgress();
            progressMade.push_back(Progress(false) != nullptr);
            progressShown.push_back(progress != nullptr);
            ownedByProgress.push_back(progress != nullptr && MessageOwner() == progress);
            return recorder(message);
        });
    }
    ~MessageWatcher() { SetMessageHandler(recorder); }
    MessageWatcher(const MessageWatcher&) = delete;
    MessageWatcher& operator=(const MessageWatcher&) = delete;

    std::vector<bool> progressMade;
    std::vector<bool> progressShown;
    std::vector<bool> ownedByProgress;

private:
    MessageHandler recorder;
};

class TranslatorDialogTest : public test::AppFixture {
protected:
    TranslatorDialogTest() {
        WriteIni(GoodIni());
        dir.Write("maps/world.mpa", "\"COAST\",1,-2\r\n10,20\r\n30,40\r\n");
        dir.Write("maps/Other.MPB", "");
        dir.Write("maps/notes.txt", "");
    }

    // Fills the fields the tests change and presses OK.
    static int FillAndPressOk(QDialog& dialog, const char* projection, const char* west, const char* east) {
        auto* projectionCombo = dialog.findChild<QComboBox*>("projection");
        projectionCombo->setCurrentIndex(projectionCombo->findText(projection));
        dialog.findChild<QLineEdit*>("west")->setText(west);
        dialog.findChild<QLineEdit*>("east")->setText(east);
        dialog.accept();
        return dialog.result();
    }
};

TEST_F(TranslatorDialogTest, TranslatesTheChosenFileIntoAMapThatReadsBack) {
    okapApp& started = Start();
    MessageRecorder messages;
    std::vector<std::string> offered;
    TranslatorSettings shown;
    script = [&](QDialog& dialog) {
        if (dialogsRun > 1) return int(QDialog::Rejected);  // the dialog came back: a failure
        auto* inputs = dialog.findChild<QComboBox*>("inputFile");
        for (int i = 0; i < inputs->count(); ++i) offered.push_back(inputs->itemText(i).toStdString());
        shown = dynamic_cast<TranslatorDialog&>(dialog).Values();
        inputs->setCurrentIndex(inputs->findText("world.mpa"));
        // Typed text turns into lower case.
        auto* output = dialog.findChild<QLineEdit*>("outputFile");
        output->clear();
        QTest::keyClicks(output, "COASTS");
        return FillAndPressOk(dialog, "Mercator Cylindrical", "0", "40");
    };
    started.CmToolTranslate();

    EXPECT_EQ(dialogsRun, 1);
    const Message done{"Translation done: 1 segment and 2 points written to coasts.mpb", "Map Translator",
                       MessageButtons::Ok, MessageIcon::Information};
    EXPECT_EQ(messages.messages, std::vector<Message>{done});
    // The "*.mp*" files with their names as on disk, the first selected;
    // the other fields as a new dialog starts.
    EXPECT_EQ(offered, (std::vector<std::string>{"Other.MPB", "world.mpa"}));
    TranslatorSettings initial;
    initial.inputName = "Other.MPB";
    EXPECT_EQ(Fields(shown), Fields(initial));

    ASSERT_TRUE(std::filesystem::exists(dir / "maps" / "coasts.mpb"));
    std::filesystem::current_path(dir / "maps");
    Mapfile map;
    ASSERT_EQ(map.OpenInfile("coasts.mpb"), 1);
    EXPECT_EQ(map.InHeader().projectionCode, "MERC");
    EXPECT_EQ(map.InHeader().west, 0);
    EXPECT_EQ(map.InHeader().east, 40 * 1111200);  // 40 degrees in angle units
    ASSERT_EQ(map.ReadDirectory(), 1);
    EXPECT_EQ(map.InSegment().name, "COAST   ");
    EXPECT_EQ(map.InSegment().count, 2);
}

TEST_F(TranslatorDialogTest, AFailureBringsTheDialogBackWithTheUsersValues) {
    okapApp& started = Start();
    MessageRecorder messages;
    std::vector<TranslatorSettings> shown;
    script = [&](QDialog& dialog) {
        shown.push_back(dynamic_cast<TranslatorDialog&>(dialog).Values());
        if (shown.size() == 1) return FillAndPressOk(dialog, "Import/Export Text", "10", "5");  // West > East
        dialog.reject();
        return dialog.result();
    };
    MessageWatcher watcher;
    started.CmToolTranslate();

    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid selection of map boundary positions"});
    // The fields are checked before there is a progress window: none can
    // come up over the message.
    EXPECT_EQ(watcher.progressMade, std::vector<bool>{false});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone";
    EXPECT_EQ(badclient, 0) << "the next paint of a map window is not given up";
    ASSERT_EQ(dialogsRun, 2);
    TranslatorSettings left;  // as the user left the dialog
    left.inputName = "Other.MPB";
    left.projectionName = "Import/Export Text";
    left.west = "10";
    left.east = "5";
    EXPECT_EQ(Fields(shown[1]), Fields(left));
    EXPECT_FALSE(std::filesystem::exists(dir / "maps" / "newmap.mpa"));
}

// A failure met while translating is shown above the progress window,
// owned by it; then the dialog comes back and no progress window is left.
TEST_F(TranslatorDialogTest, AMessageDuringTheTranslationComesAboveTheProgressWindow) {
    dir.Write("maps/world.mpa", "\"A\",1,-2\r\n0,0\r\n1,1\r\n\"B\",?,1\r\n1,1\r\n");
    okapApp& started = Start();
    MessageRecorder messages;
    script = [&](QDialog& dialog) {
        if (dialogsRun > 1) return int(QDialog::Rejected);
        auto* inputs = dialog.findChild<QComboBox*>("inputFile");
        inputs->setCurrentIndex(inputs->findText("world.mpa"));
        return FillAndPressOk(dialog, "Mercator Cylindrical", "-180.0", "180.0");
    };
    MessageWatcher watcher;
    started.CmToolTranslate();

    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can not read a type code from input text map file"});
    EXPECT_EQ(watcher.progressShown, std::vector<bool>{true});
    EXPECT_EQ(watcher.ownedByProgress, std::vector<bool>{true});
    EXPECT_EQ(dialogsRun, 2);
    EXPECT_EQ(ShownProgress(), nullptr);
    EXPECT_EQ(badclient, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "maps" / "newmap.mpb"));
}

TEST_F(TranslatorDialogTest, MissingMapDirectoryIsReportedWithoutTheDialog) {
    okapApp& started = Start();
    started.mapPath = Path("no-such-folder");
    MessageRecorder messages;
    started.CmToolTranslate();
    const Message error{"Map file path does not exist", "Error", MessageButtons::Ok, MessageIcon::Stop};
    EXPECT_EQ(messages.messages, std::vector<Message>{error});
    EXPECT_EQ(dialogsRun, 0);
}

}  // namespace
}  // namespace okap
