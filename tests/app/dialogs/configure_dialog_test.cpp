#include "app/dialogs/configure_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace okap {
namespace {

TEST(ConfigureDialogTest, ResolutionPictureTakesThreeOrFourDigits) {
    // The picture "###[#]": three digits, then an optional fourth.
    const struct {
        const char* text;
        bool matches;
    } rows[] = {
        {"800", true},   {"1000", true}, {"0000", true},  {"99", false}, {"10000", false}, {"", false},
        {"80a", false},  {" 800", false}, {"800 ", false}, {"-800", false}, {"1e3", false},
    };
    for (const auto& row : rows) EXPECT_EQ(MatchesResolutionPicture(row.text), row.matches) << '"' << row.text << '"';
}

ACDialogTB Sample() { return {"/opt/okap", "/srv/maps", "/srv/data", "1000", 1}; }

TEST(ConfigureDialogTest, ShowsAndGivesBackTheValues) {
    ACDialog dialog(Sample(), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Configure OKAP");
    EXPECT_EQ(dialog.Values(), Sample());

    dialog.findChild<QLineEdit*>("mapsPath")->setText("/home/u/maps");
    dialog.findChild<QLineEdit*>("resolution")->setText("2000");
    dialog.findChild<QCheckBox*>("postscript")->setChecked(false);
    EXPECT_EQ(dialog.Values(), (ACDialogTB{"/opt/okap", "/home/u/maps", "/srv/data", "2000", 0}));
}

TEST(ConfigureDialogTest, OkWithAResolutionOffThePictureComplainsAndStaysOpen) {
    MessageRecorder messages;
    ACDialog dialog(Sample(), nullptr);
    dialog.findChild<QLineEdit*>("resolution")->setText("12345");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);  // not closed with OK
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("###[#]"), std::string::npos) << messages.messages[0].text;

    dialog.findChild<QLineEdit*>("resolution")->setText("999");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(ConfigureDialogTest, OkWithAnEmptyPathComplainsAndStaysOpen) {
    // An empty path written to okap.ini would stop the next start.
    MessageRecorder messages;
    ACDialog dialog(Sample(), nullptr);
    dialog.findChild<QLineEdit*>("dataPath")->setText("  ");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The program, map and data paths cannot be empty."});
}

TEST(ConfigureDialogTest, TypingStopsAt49CharactersButALongerStoredValueIsKeptWhole) {
    std::string longPath = "/home/someone/with/a/rather/long/folder/name/for/okap/maps";  // 58 characters
    ACDialog dialog({"/opt/okap", longPath, "/srv/data", "1000", 0}, nullptr);
    EXPECT_EQ(dialog.Values().mapsPath, longPath);

    auto* program = dialog.findChild<QLineEdit*>("programPath");
    program->setText(QString(60, 'x'));
    EXPECT_EQ(dialog.Values().programPath.size(), 49u);
}

}  // namespace
}  // namespace okap
