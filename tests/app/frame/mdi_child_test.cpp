// A document window's commands: Save and Save As, Close with the "Map has
// changed" question, the clipboard copies, Full Scale, Set Coordinates and
// the cursor tools.

#include "app/frame/mdi_child.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "app/frame/map_window.h"
#include "app/frame/mdi_client.h"
#include "app/dialogs/display/set_coord_dialog.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"
#include "view/cursor_tools.h"

namespace okap {
namespace {

class MdiChildTest : public test::DocumentTest {
protected:
    MdiChildTest() {
        client.resize(1200, 1000);
        client.show();
    }

    okapMDIChild* OpenSample() {
        okapMDIChild* child = client.CmFileOpen(QString::fromStdString(Sample()));
        EXPECT_NE(child, nullptr);
        // The first picture, drawn in the background, is shown.
        if (child) child->View()->WaitForPicture();
        return child;
    }

    // The Save As dialog answers with name, or is cancelled when name is
    // empty.
    void AnswerSaveAs(const std::string& name) {
        SetModalDialogRunner([name](QDialog& dialog) {
            if (name.empty()) return int(QDialog::Rejected);
            dynamic_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(name));
            return int(QDialog::Accepted);
        });
    }

    // A new map whose view is width x height pixels, painted.
    okapMDIChild* NewWithView(int width, int height) {
        okapMDIChild* child = client.CmFileNew();
        okapWindow* view = child->View();
        child->resize(child->size() - view->size() + QSize(width, height));
        EXPECT_EQ(view->size(), QSize(width, height));
        view->Repaint();
        return child;
    }

    // Lets a closed window go as it would after the command.
    static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    okapMDIClient client;
};

// The document as read from its file, without a window.
MapDocument ReadDocument(const std::filesystem::path& file) {
    MapDocument doc("", file.string());
    std::istringstream in(test::TempDir::Read(file));
    EXPECT_EQ(doc.Read(in), 1) << file;
    return doc;
}

TEST_F(MdiChildTest, SaveAndSaveAsRoundTrip) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle().toStdString(), Sample() + "[*]");
    EXPECT_FALSE(child->isWindowModified());
    child->CMMapFullScale();
    EXPECT_EQ(child->Document().modified, 1);
    EXPECT_TRUE(child->isWindowModified());
    const LPoint centre = child->Document().centre;
    const int32_t scale = child->Document().scale;

    ASSERT_TRUE(child->CMFileSave());
    EXPECT_EQ(child->Document().modified, 0);
    EXPECT_FALSE(child->isWindowModified());
    MapDocument saved = ReadDocument(Sample());
    EXPECT_EQ(saved.scale, scale);
    EXPECT_EQ(saved.centre, centre);
    EXPECT_EQ(saved.details, child->Document().details);
    EXPECT_EQ(saved.mapLayers, child->Document().mapLayers);
    EXPECT_EQ(saved.dataLayers, child->Document().dataLayers);

    // A name typed without its extension gets ".oki".
    AnswerSaveAs((dir / "copy").string());
    ASSERT_TRUE(child->CMFileSaveAs());
    const std::string copy = (dir / "copy.oki").string();
    EXPECT_EQ(child->Document().fileName, copy);
    EXPECT_EQ(child->windowTitle().toStdString(), copy + "[*]");
    EXPECT_EQ(test::TempDir::Read(copy), test::TempDir::Read(Sample()));

    // The copy opens as the document that was saved.
    okapMDIChild* reopened = client.CmFileOpen(QString::fromStdString(copy));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Document().scale, scale);
    EXPECT_EQ(reopened->Document().projection.Type, "MERC");
    EXPECT_EQ(reopened->Placement(), child->Placement());
    EXPECT_EQ(reopened->Document().modified, 0);
}

TEST_F(MdiChildTest, SaveOfANewMapAsksForAName) {
    okapMDIChild* child = client.CmFileNew();
    child->Document().mapLayerCount = 1;
    child->Document().mapLayers[0] = {"worldmer.mpb", "world.okf"};
    child->CMMapFullScale();
    ASSERT_EQ(child->Document().modified, 1);

    AnswerSaveAs("");
    EXPECT_FALSE(child->CMFileSave());
    EXPECT_EQ(child->Document().fileName, "");
    EXPECT_EQ(child->Document().modified, 1);
    EXPECT_EQ(child->windowTitle(), "Document0[*]");

    AnswerSaveAs((dir / "new.oki").string());
    EXPECT_TRUE(child->CMFileSave());
    EXPECT_EQ(child->Document().modified, 0);
    EXPECT_EQ(child->windowTitle().toStdString(), (dir / "new.oki").string() + "[*]");
    EXPECT_EQ(ReadDocument(dir / "new.oki").mapLayers[0].file, "worldmer.mpb");
}

TEST_F(MdiChildTest, AFailedSaveKeepsTheChanges) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    child->CMMapFullScale();
    // A directory in the way of the file: the finished file cannot take
    // its place.
    const std::filesystem::path blocked = dir / "blocked.oki";
    std::filesystem::create_directory(blocked);
    child->Document().fileName = blocked.string();
    const auto entries = [&] {
        return std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator());
    };
    const auto before = entries();

    MessageRecorder recorder;
    EXPECT_FALSE(child->CMFileSave());
    const Message failure{"Unable to open file", "File Error", MessageButtons::Ok, MessageIcon::Warning};
    EXPECT_EQ(recorder.messages, std::vector<Message>{failure});
    EXPECT_EQ(child->Document().modified, 1);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(entries(), before) << "no half-written file left behind";
}

TEST_F(MdiChildTest, CloseAsksWhenTheMapHasChanged) {
    const std::string before = test::TempDir::Read(Sample());
    struct Row {
        MessageResult answer;
        bool closes;
        bool saves;
    };
    const Row rows[] = {
        {MessageResult::Cancel, false, false},
        {MessageResult::No, true, false},
        {MessageResult::Yes, true, true},
    };
    for (const Row& row : rows) {
        dir.Write("world-mercator.oki", before);
        QPointer<okapMDIChild> child = OpenSample();
        ASSERT_TRUE(child);
        child->CMMapFullScale();
        MessageRecorder recorder;
        recorder.Answer({row.answer});
        child->CMFileClose();
        DeleteClosedWindows();
        const Message question{"Save " + Sample() + "?", "Map has changed", MessageButtons::YesNoCancel,
                               MessageIcon::Question};
        EXPECT_EQ(recorder.messages, std::vector<Message>{question}) << row.answer;
        EXPECT_EQ(child.isNull(), row.closes) << row.answer;
        EXPECT_EQ(test::TempDir::Read(Sample()) != before, row.saves) << row.answer;
        if (child) child->Document().modified = 0;
    }

    // Nothing changed: no question.
    QPointer<okapMDIChild> child = OpenSample();
    MessageRecorder recorder;
    child->CMFileClose();
    DeleteClosedWindows();
    EXPECT_TRUE(child.isNull());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MdiChildTest, YesWithASaveThatDoesNotHappenKeepsTheWindow) {
    QPointer<okapMDIChild> child = client.CmFileNew();
    child->Document().detailCount = 1;
    child->Document().details[0] = "Text \"Title\" 0.5 0.05 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 400 0 2 ";
    child->Document().UpdateModified();
    AnswerSaveAs("");
    MessageRecorder recorder;
    recorder.Answer({MessageResult::Yes});
    child->CMFileClose();
    DeleteClosedWindows();
    ASSERT_FALSE(child.isNull());
    EXPECT_EQ(child->Document().modified, 1);
}

TEST_F(MdiChildTest, ToolCommandsSelectTheToolAndLeaveTheMapUnchanged) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    struct Row {
        void (okapMDIChild::*command)();
        int mode;
    };
    const Row rows[] = {
        {&okapMDIChild::CMCursorZoomin, kToolZoomIn},
        {&okapMDIChild::CMCursorZoomout, kToolZoomOut},
        {&okapMDIChild::CMCursorMeasure, kToolMeasure},
    };
    for (const Row& row : rows) {
        ShowStatus("before");
        (child->*row.command)();
        EXPECT_EQ(child->View()->ToolMode(), row.mode);
        EXPECT_EQ(child->View()->RubberBox(), (Box{-1, -1, -1, -1}));
        EXPECT_EQ(child->Document().modified, 0) << row.mode;
        EXPECT_EQ(Status(), " ");
    }
}

// A document counts as changed exactly while what Save would write of it
// differs from its file: commands that change nothing leave it unchanged,
// and undoing a change by hand makes it unchanged again.
TEST_F(MdiChildTest, TheMapIsChangedOnlyWhileItDiffersFromItsFile) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    MapDocument& doc = child->Document();
    const auto cancel = [](QDialog&) { return int(QDialog::Rejected); };
    SetModalDialogRunner(cancel);
    child->CMMapLayers();
    child->CMDataLayers();
    child->CMDisplayOptions();
    child->CMMapSetCoordinates();
    EXPECT_EQ(doc.modified, 0);
    EXPECT_FALSE(child->isWindowModified());

    // A zoom box is a change of view, and so of the map.
    okapWindow& view = *child->View();
    view.SetToolMode(kToolZoomIn);
    const QPoint middle(view.width() / 2, view.height() / 2);
    view.EvLButtonDown(middle - QPoint(60, 40));
    view.EvMouseMove(middle + QPoint(60, 40));
    view.EvLButtonUp(middle + QPoint(60, 40));
    EXPECT_EQ(doc.modified, 1);
    EXPECT_TRUE(child->isWindowModified());

    // Back to the view of the file by hand: unchanged again.
    const MapDocument onDisk = ReadDocument(Sample());
    doc.centre = onDisk.centre;
    doc.scale = onDisk.scale;
    view.Repaint();
    EXPECT_EQ(doc.modified, 0);
    EXPECT_FALSE(child->isWindowModified());

    // The window's size is not the map's: a resize changes nothing.
    child->resize(child->size() + QSize(50, 30));
    view.Repaint();
    EXPECT_EQ(doc.modified, 0);
}

TEST_F(MdiChildTest, TheStatusBarTellsTheViewFromTheWindowsFrame) {
    okapMDIChild* child = NewWithView(400, 300);
    child->Document().longitudeMode = 1;
    const auto move = [](QWidget* widget, QPoint to) {
        QMouseEvent event(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    move(child->View(), {200, 150});
    EXPECT_EQ(Status().rfind("Position: ", 0), 0u) << Status();
    move(child, {2, 2});
    EXPECT_EQ(Status(), "MDI child");
}

TEST_F(MdiChildTest, CopiesThePictureAndTheVectorDrawing) {
    okapMDIChild* child = NewWithView(400, 300);
    okapWindow* view = child->View();

    child->CMCopyBitmap();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(400, 300));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), view->Picture());

    // Resolution 1000 from a view of 400 x 300: 1000 x 750.
    child->CMCopyMetafile();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString svg = QString::fromUtf8(data->data("image/svg+xml"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 1000 750\"")) << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains("<path") || svg.contains("<polygon")) << "the map box was drawn";
    EXPECT_EQ(application.metafileCopying, 0);
    // The view's mapping is the screen's again, for the cursor tools.
    EXPECT_EQ(child->Document().viewportExtent, (TSize{400, -300}));
    EXPECT_EQ(child->Document().windowExtent, (TSize{10000, 7500}));
}

TEST_F(MdiChildTest, FullScaleAndSetCoordinates) {
    okapMDIChild* child = NewWithView(400, 300);
    MapDocument& doc = child->Document();
    // A new map with no map layer has nothing to fit: the whole plane.
    child->CMMapFullScale();
    EXPECT_EQ(doc.centre, (LPoint{0, 0}));
    EXPECT_EQ(doc.scale, 300000000);
    EXPECT_EQ(doc.modified, 1);
    EXPECT_EQ(doc.drawn, 1);

    // The dialog starts with the centre and scale; Cancel changes nothing.
    SetCoordDialogTB shown;
    SetModalDialogRunner([&](QDialog& dialog) {
        shown = dynamic_cast<SetCoordDialog&>(dialog).Values();
        return int(QDialog::Rejected);
    });
    doc.modified = 0;
    child->CMMapSetCoordinates();
    EXPECT_EQ(shown, (SetCoordDialogTB{"0.000000", "0.000000", "300000000"}));
    EXPECT_EQ(doc.modified, 0);
    EXPECT_EQ(doc.scale, 300000000);

    SetModalDialogRunner([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("latitude")->setText("10");
        dialog.findChild<QLineEdit*>("longitude")->setText("20");
        dialog.findChild<QLineEdit*>("scale")->setText("5000000");
        return int(QDialog::Accepted);
    });
    child->CMMapSetCoordinates();
    EXPECT_EQ(doc.scale, 5000000);
    EXPECT_EQ(doc.modified, 1);
    // Repainted around the new centre: its position is under the view's
    // middle.
    doc.positionFormat = 0;
    doc.longitudeMode = 1;
    EXPECT_EQ(PositionText(doc, {200, 150}), "Position:   20.000    10.000");
}

}  // namespace
}  // namespace okap
