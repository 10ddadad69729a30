// The recent files: the list in okap.ini and the File menu's entries.

#include "app/frame/recent_files.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>

#include "app/frame/command_ids.h"
#include "app/frame/desktop_fixture.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/qstring_printer.h"
#include "platform/message_box.h"
#include "platform/profile_file.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using test::TempDir;

TEST(RecentFilesTest, MostRecentFirstAtMostEightStoredInTheirOwnSection) {
    TempDir dir;
    const std::string older = "[File Paths]\r\nMap Files = /maps\r\n";
    const std::filesystem::path ini = dir.Write("okap.ini", older);
    RecentFiles recent(ini);
    EXPECT_TRUE(recent.Files().empty());
    EXPECT_EQ(TempDir::Read(ini), older);  // nothing to store, nothing written

    for (int i = 1; i <= 10; ++i) ASSERT_TRUE(recent.Add("/maps/" + std::to_string(i) + ".oki"));
    ASSERT_TRUE(recent.Add("/maps/7.oki"));  // moves up, not in twice
    const std::vector<std::string> expected = {"/maps/7.oki", "/maps/10.oki", "/maps/9.oki", "/maps/8.oki",
                                               "/maps/6.oki", "/maps/5.oki",  "/maps/4.oki", "/maps/3.oki"};
    EXPECT_EQ(recent.Files(), expected);
    EXPECT_EQ(RecentFiles(ini).Files(), expected);  // read back
    // The older keys stay as they were, the list follows in its own section.
    EXPECT_EQ(TempDir::Read(ini).substr(0, older.size()), older);
    EXPECT_NE(TempDir::Read(ini).find("[Recent Files]\r\nFile1=/maps/7.oki\r\nFile2=/maps/10.oki\r\n"),
              std::string::npos);

    ASSERT_TRUE(recent.Remove("/maps/10.oki"));
    RecentFiles reread(ini);
    ASSERT_EQ(reread.Files().size(), 7u);
    EXPECT_EQ(reread.Files()[1], "/maps/9.oki");
    EXPECT_EQ(ProfileFile(ini).GetString("Recent Files", "File8"), std::nullopt);  // no gap, no stale key
}

TEST(RecentFilesTest, ReadingPassesOverEmptyAndRepeatedEntries) {
    TempDir dir;
    const std::filesystem::path ini =
        dir.Write("okap.ini", "[Recent Files]\nFile1=/a.oki\nFile2=\nFile3=/a.oki\nFile4=/b.oki\nFile9=/c.oki\n");
    EXPECT_EQ(RecentFiles(ini).Files(), (std::vector<std::string>{"/a.oki", "/b.oki"}));
}

class RecentFilesMenuTest : public test::DesktopTest {
protected:
    // The File menu's numbered entries, as shown.
    static QStringList Entries(MainFrame& frame) {
        QStringList entries;
        for (QAction* action : frame.menuBar()->actions().constFirst()->menu()->actions()) {
            if (action->text().startsWith('&') && action->text().at(1).isDigit()) entries << action->text();
        }
        return entries;
    }
};

TEST_F(RecentFilesMenuTest, OpenAndSaveListTheFileAndAMissingOneLeavesWithAMessage) {
    const QString first = Document("first.oki");
    const QString second = Document("second & more.oki");
    MainFrame& frame = StartFrame();
    EXPECT_TRUE(Entries(frame).isEmpty());
    // No list yet: nothing written for it.
    EXPECT_EQ(ProfileFile(IniPath()).GetString("Recent Files", "File1"), std::nullopt);

    frame.OpenDocuments({first, second});
    EXPECT_EQ(Entries(frame).size(), 2);
    EXPECT_TRUE(Entries(frame)[0].startsWith("&1 ")) << Entries(frame)[0].toStdString();
    EXPECT_TRUE(Entries(frame)[0].endsWith("second && more.oki")) << Entries(frame)[0].toStdString();
    EXPECT_TRUE(Entries(frame)[1].endsWith("/first.oki")) << Entries(frame)[1].toStdString();

    // Saving the first brings it up.
    frame.MDIClient()->setActiveSubWindow(frame.MDIClient()->Children()[0]);
    ASSERT_TRUE(frame.MDIClient()->ActiveChild()->CMFileSave());
    EXPECT_EQ(frame.Recent().Files(), (std::vector<std::string>{first.toStdString(), second.toStdString()}));
    // The entries sit before Exit, with a separator.
    const QList<QAction*> items = frame.menuBar()->actions().constFirst()->menu()->actions();
    const qsizetype exit = items.indexOf(frame.Action(CM_EXIT));
    EXPECT_TRUE(items[exit - 1]->isSeparator());
    EXPECT_EQ(items[exit - 3]->statusTip(), first);

    // A file gone since: chosen, it leaves the list with a message.
    std::filesystem::remove(second.toStdString());
    MessageRecorder messages;
    frame.OpenRecent(second);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"File " + second.toStdString() +
                                                          " does not exist - removed from the recent files"}));
    EXPECT_EQ(messages.messages[0].caption, "Error");
    EXPECT_EQ(frame.MDIClient()->Children().size(), 2);
    EXPECT_EQ(Entries(frame).size(), 1);
    EXPECT_EQ(RecentFiles(IniPath()).Files(), (std::vector<std::string>{first.toStdString()}));

    // One still there opens again.
    frame.OpenRecent(first);
    EXPECT_EQ(frame.MDIClient()->Children().size(), 3);
}

}  // namespace
}  // namespace okap
