#include "app/help/help_window.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/frame/command_ids.h"
#include "app/frame/command_table.h"
#include "app/qstring_printer.h"

// Resources of a static library are registered by the application object;
// these tests use the help window alone. (The macro works only outside
// namespaces.)
static void RegisterResources() { Q_INIT_RESOURCE(okap); }

namespace okap {
namespace {

std::vector<int> EveryCommandId() {
    std::vector<int> ids;
    for (const MenuPopup& popup : MainMenu()) {
        for (const MenuItem& item : popup.items) {
            if (item.id != 0) ids.push_back(item.id);
        }
    }
    for (const Accelerator& accelerator : Accelerators()) ids.push_back(accelerator.id);
    return ids;
}

TEST(HelpWindowTest, EveryCommandHasATopic) {
    RegisterResources();
    HelpWindow help(nullptr);
    for (int id : EveryCommandId()) {
        EXPECT_TRUE(help.ShowTopic(id)) << id;
        EXPECT_EQ(help.CurrentPage(), QString::number(id) + ".html");
    }
    EXPECT_FALSE(help.ShowTopic(12345));
    EXPECT_EQ(help.CurrentPage(), QString::number(EveryCommandId().back()) + ".html");  // unchanged
}

TEST(HelpWindowTest, ContentsAndUsingHelpPages) {
    RegisterResources();
    HelpWindow help(nullptr);
    EXPECT_EQ(help.CurrentPage(), "");
    EXPECT_TRUE(help.ShowContents());
    EXPECT_EQ(help.CurrentPage(), "contents.html");
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.ShowUsingHelp());
    EXPECT_EQ(help.CurrentPage(), "using_help.html");
}

TEST(HelpWindowTest, EveryLinkBetweenPagesLeadsToAPage) {
    RegisterResources();
    QDir folder(":/help");
    const QStringList pages = folder.entryList({"*.html"});
    ASSERT_FALSE(pages.isEmpty());
    QRegularExpression link(R"(href="([^"#:]+))");
    for (const QString& page : pages) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        QString text = QString::fromUtf8(file.readAll());
        for (auto it = link.globalMatch(text); it.hasNext();) {
            QString target = it.next().captured(1);
            EXPECT_TRUE(pages.contains(target)) << page.toStdString() << " links to " << target.toStdString();
        }
    }
}

}  // namespace
}  // namespace okap
