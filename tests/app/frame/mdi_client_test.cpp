// The MDI client: File New, File Open and the question of program exit.

#include "app/frame/mdi_client.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPointer>
#include <filesystem>

#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/window_fit.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"

namespace okap {
namespace {

class MdiClientTest : public test::DocumentTest {
protected:
    MdiClientTest() {
        client.resize(1200, 1000);
        client.show();
    }

    okapMDIClient client;
};

TEST_F(MdiClientTest, OpensTheSampleDocumentWhereItWasSaved) {
    MessageRecorder recorder;
    okapMDIChild* child = client.CmFileOpen(QString::fromStdString(Sample()));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(client.ActiveChild(), child);
    EXPECT_EQ(child->windowTitle().toStdString(), Sample() + "[*]");
    const MapDocument& doc = child->Document();
    EXPECT_EQ(doc.fileName, Sample());
    EXPECT_EQ(doc.title, Sample());
    // The values of samples/world-mercator.oki.
    EXPECT_EQ(child->Placement(), (WindowPlacement{0, 0, 1000, 860}));
    EXPECT_EQ(doc.mapLayerCount, 1);
    EXPECT_EQ(doc.mapLayers[0], (okapFileInfo{"worldmer.mpb", "world.okf"}));
    EXPECT_EQ(doc.dataLayerCount, 1);
    EXPECT_EQ(doc.detailCount, 4);  // title, source, scale bar, north arrow
    EXPECT_EQ(doc.scale, 137000000);
    EXPECT_EQ(doc.modified, 0);
    // Shown, so painted: the whole map was drawn without a complaint.
    child->View()->WaitForPicture();
    EXPECT_EQ(doc.drawn, 1);
    EXPECT_FALSE(child->View()->Picture().isNull());
    EXPECT_TRUE(recorder.messages.empty()) << recorder.messages[0];
}

TEST(FitWindowInAreaTest, KeepsWhatFitsAndShrinksTheRestKeepingTheMapsProportions) {
    const QSize frame(8, 28);  // borders 4 + 4, caption 24 + border 4
    const struct {
        const char* note;
        QRect saved;
        QSize area;
        QRect fitted;
    } rows[] = {
        {"fits: kept", {20, 30, 500, 300}, {1200, 1000}, {20, 30, 500, 300}},
        {"fits in size, but runs off the right and bottom: moved in", {900, 800, 500, 300}, {1200, 1000},
         {700, 700, 500, 300}},
        {"a negative place is brought to the edge", {-40, -10, 500, 300}, {1200, 1000}, {0, 0, 500, 300}},
        // world-mercator.oki (1000 x 860) at 2x scaling: inside 992 x 832
        // into 592 x 372, scale 372 / 832: 443 x 372 inside.
        {"too tall and wide: the inside scaled", {0, 0, 1000, 860}, {600, 400}, {0, 0, 451, 400}},
        // Only too wide: inside 1192 x 272 into 592 wide, scale 592 / 1192.
        {"too wide", {100, 10, 1200, 300}, {600, 400}, {0, 10, 600, 163}},
        {"no area yet: kept", {10, 10, 1000, 860}, {0, 0}, {10, 10, 1000, 860}},
    };
    for (const auto& row : rows) EXPECT_EQ(FitWindowInArea(row.saved, row.area, frame), row.fitted) << row.note;
}

TEST_F(MdiClientTest, AWindowSavedLargerThanTheWorkspaceOpensInsideIt) {
    client.resize(600, 400);
    okapMDIChild* child = client.CmFileOpen(QString::fromStdString(Sample()));
    ASSERT_NE(child, nullptr);
    const QRect area(QPoint(0, 0), client.viewport()->size());
    EXPECT_TRUE(area.contains(child->geometry())) << child->geometry().width() << "x" << child->geometry().height();
    // The map keeps the proportions it was saved with: 1000 x 860 less the
    // frame.
    const QMargins frame = child->contentsMargins();
    const double saved = (1000.0 - frame.left() - frame.right()) / (860.0 - frame.top() - frame.bottom());
    const QSize view = child->View()->size();
    EXPECT_NEAR(static_cast<double>(view.width()) / view.height(), saved, 0.01);
}

TEST_F(MdiClientTest, RefusesNamesAndFilesItCannotRead) {
    std::filesystem::copy_file(dir / "world-mercator.oki", dir / "WORLD.OKI");
    dir.Write("world.txt", test::TempDir::Read(dir / "world-mercator.oki"));
    dir.Write("short.oki", "Map File Information - OKAP version 1\r\nWindow origin        = 0 0\r\n");
    dir.Write("truncated.oki", test::TempDir::Read(dir / "world-mercator.oki").substr(0, 200));
    struct Row {
        const char* name;
        const char* message;  // empty: opens
    };
    const Row rows[] = {
        {"WORLD.OKI", ""},                                              // the extension in any case
        {"world.txt", "Input file is not an OKAP .oki file"},           // refused before any window
        {"missing.oki", "Unable to read file missing.oki from disk."},  // no file
        {"short.oki", "Unable to read file short.oki from disk."},      // no window size line
        // The placement is there but the content ends in the map layers.
        {"truncated.oki", "Unable to read file truncated.oki from disk."},
    };
    for (const Row& row : rows) {
        MessageRecorder recorder;
        const int before = static_cast<int>(client.Children().size());
        // A relative name is in the map file path.
        okapMDIChild* child = client.CmFileOpen(row.name);
        EXPECT_EQ(child != nullptr, *row.message == '\0') << row.name;
        EXPECT_EQ(static_cast<int>(client.Children().size()), before + (child ? 1 : 0)) << row.name;
        if (*row.message) {
            EXPECT_EQ(recorder.Texts(), std::vector<std::string>{row.message}) << row.name;
        }
    }
}

TEST_F(MdiClientTest, OpenAsksInTheMapFilePath) {
    std::string asked;
    SetModalDialogRunner([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        asked = files.directory().absolutePath().toStdString();
        files.selectFile(QString::fromStdString(Sample()));
        return int(QDialog::Accepted);
    });
    std::filesystem::current_path("/");
    client.CmFileOpen();
    EXPECT_EQ(asked, std::filesystem::canonical(dir.Path()).string());
    ASSERT_EQ(client.Children().size(), 1);
    EXPECT_EQ(client.Children()[0]->Document().fileName, Sample());

    MessageRecorder recorder;
    application.mapPath = (dir / "none").string();
    client.CmFileOpen();
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Map file path does not exist"});
}

TEST_F(MdiClientTest, NewDocumentsAreNumberedAndFollowTheActiveWindowsState) {
    okapMDIChild* first = client.CmFileNew();
    okapMDIChild* second = client.CmFileNew();
    EXPECT_EQ(first->windowTitle(), "Document0[*]");
    EXPECT_EQ(second->windowTitle(), "Document1[*]");
    EXPECT_EQ(second->Document().title, "Document1");
    EXPECT_EQ(second->Document().fileName, "");
    // The defaults of a new map, grid on where the map folder has its
    // format file; its Map Layers dialog was cancelled, which changes
    // nothing.
    EXPECT_EQ(second->Document().scale, 200000000);
    EXPECT_EQ(second->Document().gridFormatFile, "std.okg");
    EXPECT_EQ(second->Document().gridOn, 1);
    EXPECT_EQ(second->Document().modified, 0);
    EXPECT_FALSE(second->isWindowModified());
    EXPECT_FALSE(second->isMaximized());

    second->showMaximized();
    okapMDIChild* third = client.CmFileNew();
    EXPECT_EQ(third->windowTitle(), "Document2[*]");
    EXPECT_TRUE(third->isMaximized());

    // A map folder without the grid format: no grid, so no message about
    // the missing file on every paint.
    std::filesystem::remove(dir / "std.okg");
    MessageRecorder recorder;
    okapMDIChild* fourth = client.CmFileNew();
    EXPECT_EQ(fourth->Document().gridOn, 0);
    EXPECT_EQ(fourth->Document().modified, 0);
    EXPECT_TRUE(recorder.messages.empty()) << recorder.messages[0];
}

TEST_F(MdiClientTest, ProgramExitAsksForEachChangedDocument) {
    okapMDIChild* unchanged = client.CmFileNew();
    okapMDIChild* first = client.CmFileNew();
    okapMDIChild* second = client.CmFileNew();
    unchanged->Document().modified = 0;
    first->Document().modified = 1;
    second->Document().modified = 1;
    {
        MessageRecorder recorder;
        recorder.Answer({MessageResult::No, MessageResult::Cancel});
        EXPECT_FALSE(client.CanCloseAll());
        ASSERT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(recorder.messages[0], (Message{"Save Document1?", "Map has changed", MessageButtons::YesNoCancel,
                                                 MessageIcon::Question}));
        EXPECT_EQ(recorder.messages[1].text, "Save Document2?");
    }
    {
        MessageRecorder recorder;
        recorder.Answer({MessageResult::No, MessageResult::No});
        EXPECT_TRUE(client.CanCloseAll());
        EXPECT_EQ(recorder.messages.size(), 2u);
    }
    // The windows stay until the main window goes.
    EXPECT_EQ(client.Children().size(), 3);
    EXPECT_EQ(unchanged->Document().modified, 0);
}

}  // namespace
}  // namespace okap
