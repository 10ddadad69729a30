// The command line: options, and documents opened each in a window of its
// own.

#include "app/frame/command_line.h"

#include <gtest/gtest.h>

#include <QDir>

#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/frame/desktop_fixture.h"
#include "app/qstring_printer.h"
#include "platform/message_box.h"

namespace okap {
namespace {

TEST(CommandLineTest, OptionsAndFiles) {
    const QString here = QDir::currentPath();
    const struct {
        QStringList arguments;  // after the program's name
        bool help;
        bool version;
        QStringList documents;
        QStringList unknown;
    } rows[] = {
        {{}, false, false, {}, {}},
        {{"a.oki", "/maps/b.oki"}, false, false, {here + "/a.oki", "/maps/b.oki"}, {}},
        {{"--help"}, true, false, {}, {}},
        {{"-h", "a.oki"}, true, false, {here + "/a.oki"}, {}},
        {{"--version"}, false, true, {}, {}},
        {{"-v"}, false, true, {}, {}},
        {{"--bogus", "a.oki", "-x"}, false, false, {here + "/a.oki"}, {"--bogus", "-x"}},
        // After "--" everything is a file; "-" alone is one too.
        {{"--", "--help", "-"}, false, false, {here + "/--help", here + "/-"}, {}},
    };
    for (const auto& row : rows) {
        const CommandLine line = ParseCommandLine(QStringList{"okap"} + row.arguments);
        const std::string note = row.arguments.join(' ').toStdString();
        EXPECT_EQ(line.help, row.help) << note;
        EXPECT_EQ(line.version, row.version) << note;
        EXPECT_EQ(line.documents, row.documents) << note;
        EXPECT_EQ(line.unknownOptions, row.unknown) << note;
    }
}

TEST(CommandLineTest, UsageAndVersionTexts) {
    const QString usage = UsageText();
    EXPECT_TRUE(usage.startsWith("Usage: okap [OPTION]... [FILE.oki]...\n"));
    for (const char* option : {"-h, --help", "-v, --version", "okap.ini"}) EXPECT_TRUE(usage.contains(option)) << option;
    const QStringList version = VersionText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(version.size(), 4);
    EXPECT_EQ(version[0], "OKAP 1.15");
    EXPECT_EQ(version[1], QString("Qt ") + qVersion());
    EXPECT_TRUE(version[2].startsWith("PROJ ")) << version[2].toStdString();
    EXPECT_TRUE(version[3].startsWith("GDAL ")) << version[3].toStdString();
}

using CommandLineDocumentsTest = test::DesktopTest;

// Relative names are taken from the directory the program starts in, not
// the map folder that opening makes current.
TEST_F(CommandLineDocumentsTest, EachOpensInItsOwnWindowAndAMissingOneIsReported) {
    const QString first = Document("first.oki");
    const QString second = Document("second.oki");
    const QString startDirectory = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Path("maps"))));
    const CommandLine line = ParseCommandLine({"okap", "first.oki", "missing.oki", "second.oki"});
    ASSERT_TRUE(QDir::setCurrent(startDirectory));

    MainFrame& frame = StartFrame();
    MessageRecorder messages;
    frame.OpenDocuments(line.documents);
    const QList<okapMDIChild*> windows = frame.MDIClient()->Children();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(QString::fromStdString(windows[0]->Document().fileName), first);
    EXPECT_EQ(QString::fromStdString(windows[1]->Document().fileName), second);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Unable to read file " + Path("maps") + "/missing.oki from disk.");
    EXPECT_EQ(messages.messages[0].caption, "OKAP");
    EXPECT_EQ(frame.windowTitle(), "second.oki[*] - OKAP");
}

}  // namespace
}  // namespace okap
