#include "app/frame/okap_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/dialogs/about_dialog.h"
#include "app/frame/command_ids.h"
#include "app/dialogs/configure_dialog.h"
#include "app/help/help_window.h"
#include "app/frame/main_frame.h"
#include "app/app_fixture.h"
#include "platform/message_box.h"
#include "platform/process_end.h"
#include "platform/profile_file.h"
#include "app/qstring_printer.h"

namespace okap {
namespace {

using test::AppFixture;

const Message kReadError{"Error reading from okap.ini", "Error", MessageButtons::Ok, MessageIcon::Stop};

class OkapAppTest : public AppFixture {};

TEST_F(OkapAppTest, StartsWithACompleteOkapIni) {
    WriteIni(GoodIni());
    MessageRecorder messages;
    okapApp& started = Start();

    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(started.quitRequested);
    EXPECT_EQ(app, &started);
    EXPECT_EQ(started.programPath, Path("program"));
    EXPECT_EQ(started.mapPath, Path("maps"));
    EXPECT_EQ(started.dataPath, Path("data"));
    EXPECT_EQ(started.metafileResolution, 1000);
    EXPECT_EQ(postmod, 2);  // any non-zero value means on
    ASSERT_NE(started.Frame(), nullptr);
    EXPECT_EQ(started.Frame()->windowTitle(), "OKAP");
    EXPECT_TRUE(started.Frame()->isVisible());
    EXPECT_EQ(started.statusBar, started.Frame()->statusBar());
}

TEST_F(OkapAppTest, AMissingOrEmptyKeyAtStartNamesTheFileAndKeyAndAsksToQuitWithZero) {
    const struct {
        const char* note;
        std::string from;  // the line of GoodIni() replaced
        std::string to;
        std::vector<std::string> problems;  // the lines after the file's name
    } rows[] = {
        {"Data Files empty, though present", "Data Files    = " + Path("data"), "Data Files    =",
         {"\"Data Files\" in section [File Paths] is empty."}},
        {"Map Files missing", "Map Files     = " + Path("maps") + "\r\n", "",
         {"\"Map Files\" in section [File Paths] is missing."}},
        {"no Configuration section", "[Configuration]", "[Settings]",
         {"\"Metafile resolution\" in section [Configuration] is missing.",
          "\"Postscript modification\" in section [Configuration] is missing."}},
    };
    for (const auto& row : rows) {
        std::string ini = GoodIni();
        ini.replace(ini.find(row.from), row.from.size(), row.to);
        WriteIni(ini);
        MessageRecorder messages;
        okapApp& started = Start();
        std::string expected = "Error reading from okap.ini\n\n" + IniPath().string() + ":";
        for (const std::string& problem : row.problems) expected += "\n" + problem;
        const Message readError{expected, "Error", MessageButtons::Ok, MessageIcon::Stop};
        EXPECT_EQ(messages.messages, std::vector<Message>{readError}) << row.note;
        EXPECT_EQ(started.quitRequested, 0) << row.note;
        EXPECT_EQ(dialogsRun, 0) << row.note;
        // The rest of the start still happens on what was read, and the
        // broken file is left as it was.
        EXPECT_EQ(app, &started) << row.note;
        EXPECT_EQ(started.programPath, Path("program")) << row.note;
        EXPECT_EQ(test::TempDir::Read(IniPath()), ini) << row.note;
    }
}

TEST_F(OkapAppTest, FirstStartWritesOkapIniSaysWhereAndOpensConfigure) {
    const std::filesystem::path documents = dir / "home" / "Documents" / "OKAP";
    const std::filesystem::path samples = dir / "home" / "okap-samples";
    const struct {
        const char* note;
        bool samplesExist;
        std::string maps;
        std::string data;
    } rows[] = {
        {"a new user's documents folder", false, (documents / "maps").string(), (documents / "data").string()},
        {"the sample workspace", true, samples.string(), samples.string()},
    };
    for (const auto& row : rows) {
        std::filesystem::remove_all(IniPath().parent_path());
        if (row.samplesExist) std::filesystem::create_directories(samples);
        ACDialogTB shown;
        script = [&](QDialog& dialog) {
            shown = dynamic_cast<ACDialog&>(dialog).Values();
            return static_cast<int>(QDialog::Rejected);
        };
        dialogsRun = 0;
        MessageRecorder messages;
        okapApp& started = Start();

        const std::string program = QCoreApplication::applicationDirPath().toStdString();
        const ACDialogTB defaults{program, row.maps, row.data, "1000", 0};
        EXPECT_FALSE(started.quitRequested) << row.note;
        ASSERT_EQ(messages.messages.size(), 1u) << row.note;
        EXPECT_EQ(messages.messages[0].caption, "OKAP");
        EXPECT_EQ(messages.messages[0].icon, MessageIcon::Information);
        EXPECT_NE(messages.messages[0].text.find(IniPath().string()), std::string::npos) << messages.messages[0];
        EXPECT_NE(messages.messages[0].text.find("Maps: " + row.maps), std::string::npos) << messages.messages[0];
        EXPECT_EQ(dialogsRun, 1) << "Configure opens: " << row.note;
        EXPECT_EQ(shown, defaults) << row.note;
        EXPECT_TRUE(std::filesystem::is_directory(row.maps)) << row.note;
        EXPECT_TRUE(std::filesystem::is_directory(row.data)) << row.note;
        EXPECT_EQ(started.mapPath, row.maps);
        // Written as Configure writes it; the next start reads it quietly.
        ProfileFile ini(IniPath());
        EXPECT_EQ(ini.GetString("File Paths", "Program files"), program);
        EXPECT_EQ(ini.GetString("Configuration", "Postscript modification"), "0");
        MessageRecorder again;
        dialogsRun = 0;
        EXPECT_FALSE(Start().quitRequested);
        EXPECT_TRUE(again.messages.empty()) << again.messages[0];
        EXPECT_EQ(dialogsRun, 0);
    }
}

TEST_F(OkapAppTest, FirstStartThatCannotWriteOkapIniSaysSoAndQuits) {
    // The configuration folder's place is taken by a file.
    dir.Write("config", "");
    MessageRecorder messages;
    okapApp& started = Start();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error writing to okap.ini\n\n" + IniPath().string()});
    EXPECT_EQ(started.quitRequested, 0);
    EXPECT_EQ(dialogsRun, 0);
}

TEST_F(OkapAppTest, TheDiagnosticLogIsWrittenOnlyWhenOkapIniAsksForIt) {
    const std::filesystem::path log = dir / "state" / "okap" / "okap.deb";
    const struct {
        const char* line;  // added to the Configuration section
        bool written;
    } rows[] = {{"", false}, {"Diagnostic log = 0\r\n", false}, {"Diagnostic log = 1\r\n", true}};
    for (const auto& row : rows) {
        WriteIni(GoodIni() + row.line);
        std::filesystem::remove_all(dir / "state");
        {
            okapApp& started = Start();
            started.programPath = Path("gone");
            MessageRecorder messages;
            started.CmOKAPConfig();  // a message, which the log keeps
            application.reset();
        }
        EXPECT_EQ(std::filesystem::exists(log), row.written) << row.line;
        if (!row.written) continue;
        const std::string written = test::TempDir::Read(log);
        EXPECT_EQ(written, "OKAP started with the settings of " + IniPath().string() +
                               "\n[Error] Program path does not exist\n");
    }
}

TEST_F(OkapAppTest, KeyNamesMatchWithoutRegardToCase) {
    std::string ini = GoodIni();
    ini.replace(ini.find("Program Files"), 13, "PROGRAM FILES");
    ini.replace(ini.find("Metafile resolution"), 19, "metafile RESOLUTION");
    WriteIni(ini);
    MessageRecorder messages;
    EXPECT_FALSE(Start().quitRequested);
    EXPECT_TRUE(messages.messages.empty());
}

// Fills the Configure dialog's fields and presses OK.
std::function<int(QDialog&)> FillAndPressOk(ACDialogTB values, ACDialogTB* shown = nullptr) {
    return [values, shown](QDialog& dialog) {
        auto& configure = dynamic_cast<ACDialog&>(dialog);
        if (shown) *shown = configure.Values();
        configure.findChild<QLineEdit*>("programPath")->setText(QString::fromStdString(values.programPath));
        configure.findChild<QLineEdit*>("mapsPath")->setText(QString::fromStdString(values.mapsPath));
        configure.findChild<QLineEdit*>("dataPath")->setText(QString::fromStdString(values.dataPath));
        configure.findChild<QLineEdit*>("resolution")->setText(QString::fromStdString(values.resolution));
        configure.findChild<QCheckBox*>("postscript")->setChecked(values.postscript != 0);
        configure.accept();
        return configure.result();
    };
}

TEST_F(OkapAppTest, ConfigureShowsTheFileAndWritesTheKeysBack) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    // The dialog shows okap.ini as it is now, not the values read at start.
    ProfileFile(IniPath()).WriteString("Configuration", "Metafile resolution", "1500");

    ACDialogTB shown;
    std::string newMaps = Path("no-such-folder");  // not checked here
    script = FillAndPressOk({Path("program"), newMaps, Path("data"), "2400", 1}, &shown);
    MessageRecorder messages;
    started.CmOKAPConfig();

    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(shown, (ACDialogTB{Path("program"), Path("maps"), Path("data"), "1500", 1}));  // 2 shows checked
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(started.mapPath, newMaps);
    EXPECT_EQ(started.metafileResolution, 2400);
    EXPECT_EQ(postmod, 1);
    ProfileFile ini(IniPath());
    EXPECT_EQ(ini.GetString("File Paths", "Map files"), newMaps);
    EXPECT_EQ(ini.GetString("File Paths", "Program files"), Path("program"));
    EXPECT_EQ(ini.GetString("Configuration", "Metafile resolution"), "2400");
    EXPECT_EQ(ini.GetString("Configuration", "Postscript modification"), "1");  // the 2 becomes 1

    // Unchecked writes 0.
    script = FillAndPressOk({Path("program"), newMaps, Path("data"), "800", 0});
    started.CmOKAPConfig();
    EXPECT_EQ(ini.GetString("Configuration", "Postscript modification"), "0");
    EXPECT_EQ(postmod, 0);
    EXPECT_EQ(started.metafileResolution, 800);
}

TEST_F(OkapAppTest, ConfigureKeepsAskingUntilTheResolutionFitsItsPicture) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    MessageRecorder messages;
    script = [](QDialog& dialog) {
        auto* resolution = dialog.findChild<QLineEdit*>("resolution");
        for (const char* text : {"75", "12345", "750"}) {
            resolution->setText(text);
            dialog.accept();
            if (dialog.result() == QDialog::Accepted) break;
        }
        return dialog.result();
    };
    started.CmOKAPConfig();
    EXPECT_EQ(messages.messages.size(), 2u);  // one for each of the first two
    EXPECT_EQ(ProfileFile(IniPath()).GetString("Configuration", "Metafile resolution"), "750");
    EXPECT_EQ(started.metafileResolution, 750);
}

TEST_F(OkapAppTest, ConfigureCancelledChangesNothing) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    script = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("mapsPath")->setText("/elsewhere");
        dialog.reject();
        return dialog.result();
    };
    started.CmOKAPConfig();
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(started.mapPath, Path("maps"));
    EXPECT_EQ(test::TempDir::Read(IniPath()), GoodIni());
}

TEST_F(OkapAppTest, ConfigureBrowseFillsAPathField) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    // Longer than the 49 characters a user may type: shown whole.
    const std::filesystem::path chosen = dir / "a folder whose name is long enough to pass the limit";
    std::filesystem::create_directories(chosen);
    std::string openedAt;
    ACDialogTB values;
    script = [&](QDialog& dialog) {
        if (auto* folders = qobject_cast<QFileDialog*>(&dialog)) {
            openedAt = folders->directory().absolutePath().toStdString();
            EXPECT_EQ(folders->fileMode(), QFileDialog::Directory);
            folders->selectFile(QString::fromStdString(chosen.string()));
            return static_cast<int>(QDialog::Accepted);
        }
        auto& configure = dynamic_cast<ACDialog&>(dialog);
        configure.findChild<QPushButton*>("mapsBrowse")->click();
        values = configure.Values();
        configure.accept();
        return configure.result();
    };
    started.CmOKAPConfig();
    EXPECT_EQ(openedAt, Path("maps"));  // the field's folder
    EXPECT_EQ(values.mapsPath, chosen.string());
    EXPECT_EQ(values.dataPath, Path("data"));
    EXPECT_EQ(ProfileFile(IniPath()).GetString("File Paths", "Map files"), chosen.string());
}

TEST_F(OkapAppTest, ConfigureFailuresReportAndTheProgramGoesOn) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    ProcessEndCatcher noEnd;  // an attempt to end the process would throw and fail the test

    // The program directory does not exist: no dialog.
    started.programPath = Path("gone");
    {
        MessageRecorder messages;
        started.CmOKAPConfig();
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Program path does not exist"});
        EXPECT_EQ(dialogsRun, 0);
    }
    started.programPath = Path("program");

    // A key went missing since the start: no dialog.
    std::string ini = GoodIni();
    ini.erase(ini.find("Metafile resolution"), ini.find("Postscript") - ini.find("Metafile resolution"));
    WriteIni(ini);
    {
        MessageRecorder messages;
        started.CmOKAPConfig();
        EXPECT_EQ(messages.messages, std::vector<Message>{kReadError});
        EXPECT_EQ(dialogsRun, 0);
    }

    // okap.ini cannot be written: the configuration folder's parent turns
    // out to be a file while the dialog is open.
    WriteIni(GoodIni());
    std::filesystem::path blocker = dir.Write("blocker", "");
    auto fill = FillAndPressOk({Path("program"), Path("maps"), Path("data"), "1200", 1});
    script = [&](QDialog& dialog) {
        UseConfigFolder(blocker / "config");
        return fill(dialog);
    };
    MessageRecorder messages;
    started.CmOKAPConfig();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error writing to okap.ini"});
    EXPECT_EQ(started.metafileResolution, 1000);  // abandoned before the resolution is taken
    EXPECT_TRUE(started.Frame()->isVisible());
}

TEST_F(OkapAppTest, HelpCommandsShowTheirPagesAndCloseWithTheProgram) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    MainFrame& frame = *started.Frame();

    // F1 shows the contents without counting as a Help-menu command.
    QTest::keyClick(&frame, Qt::Key_F1);
    ASSERT_NE(frame.Help(), nullptr);
    EXPECT_EQ(frame.Help()->CurrentPage(), "contents.html");
    EXPECT_FALSE(started.helpUsed);

    frame.Command(CM_HELPUSING);
    EXPECT_EQ(frame.Help()->CurrentPage(), "using_help.html");
    EXPECT_TRUE(started.helpUsed);
    frame.Command(CM_HELPCONTENTS);
    EXPECT_EQ(frame.Help()->CurrentPage(), "contents.html");
    EXPECT_TRUE(frame.Help()->isVisible());

    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.Help()->isVisible());
}

TEST_F(OkapAppTest, HelpNeedsTheProgramDirectory) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    started.programPath = Path("gone");
    MessageRecorder messages;
    started.CmHelpContents();
    QTest::keyClick(started.Frame(), Qt::Key_F1);
    std::string expected = "OKAP program path " + Path("gone") + " does not exist";
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{expected, expected}));
    EXPECT_FALSE(started.helpUsed);
    EXPECT_FALSE(started.Frame()->Help()->isVisible());
}

TEST_F(OkapAppTest, ContextHelpShowsTheNextCommandsTopicInsteadOfRunningIt) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    MainFrame& frame = *started.Frame();

    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(started.contextHelpMode);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);

    frame.Action(CM_OKAPCONFIG)->trigger();
    EXPECT_EQ(dialogsRun, 0);  // Configure did not run
    EXPECT_EQ(frame.Help()->CurrentPage(), "24814.html");
    EXPECT_FALSE(started.contextHelpMode);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The mode ends after one command: the next one runs.
    frame.Action(CM_HELPABOUT)->trigger();
    EXPECT_EQ(dialogsRun, 1);

    // The accelerators' keys have topics too, though they do nothing.
    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    frame.Command(CM_EDITCOPY);
    EXPECT_EQ(frame.Help()->CurrentPage(), "24323.html");
}

TEST_F(OkapAppTest, F1OnAnOpenMenuShowsTheHighlightedItemsTopic) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    MainFrame& frame = *started.Frame();
    QMenu* fileMenu = frame.menuBar()->actions().front()->menu();
    fileMenu->popup(frame.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fileMenu));
    fileMenu->setActiveAction(frame.Action(CM_FILEOPEN));

    QTest::keyClick(fileMenu->windowHandle(), Qt::Key_F1);  // as the window system delivers it
    QApplication::processEvents();  // the menu chooses its item
    EXPECT_EQ(dialogsRun, 0);       // no file dialog
    ASSERT_NE(frame.Help(), nullptr);
    EXPECT_EQ(frame.Help()->CurrentPage(), "24332.html");
    EXPECT_FALSE(started.contextHelpMode);
}

TEST_F(OkapAppTest, EscapeLeavesContextHelpMode) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    MainFrame& frame = *started.Frame();
    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(&frame, Qt::Key_Escape);
    EXPECT_FALSE(started.contextHelpMode);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    frame.Action(CM_HELPABOUT)->trigger();  // runs as usual
    EXPECT_EQ(dialogsRun, 1);
}

TEST_F(OkapAppTest, AboutShowsTheVersionLine) {
    WriteIni(GoodIni());
    okapApp& started = Start();
    QString versionLine;
    script = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "About OKAP");
        versionLine = dynamic_cast<okapAboutDlg&>(dialog).VersionLine();
        return static_cast<int>(QDialog::Accepted);
    };
    started.Frame()->Command(CM_HELPABOUT);
    EXPECT_TRUE(versionLine.startsWith("OKAP Version 1.15 ")) << versionLine.toStdString();
}

}  // namespace
}  // namespace okap
