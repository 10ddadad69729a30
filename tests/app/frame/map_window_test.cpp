// The map view widget: the position under the mouse, the measure line and
// the zoom boxes, the picture it keeps, and messages from a paint.

#include "app/frame/map_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <sstream>

#include "app/frame/identify_window.h"
#include "core/globals.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"
#include "view/map_document.h"

namespace okap {
namespace {

// A new map in a view of 400 x 300 pixels, centred on 0N 0E at scale
// 1484260, where 100 pixels are one degree of longitude at the equator
// (6378137 m x pi / 180 = 1113194.9 dm; 400 pixels span 3 x 1484260 dm).
class MapWindowTest : public test::DocumentTest {
protected:
    MapWindowTest() : view(doc) {
        doc.New();
        // No grid: its format would set the read-out's position format.
        doc.gridOn = 0;
        // A white background, for the rubber figures to show on.
        std::istringstream("1 0 0 0 1 0 255 255 255 99") >> doc.mapBoxStyles[0];
        doc.longitudeMode = 1;
        doc.centre = {0, 0};
        doc.scale = 1484260;
        view.resize(400, 300);
    }

    // A move of the mouse with no button down.
    void MoveMouse(QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, view.mapToGlobal(to), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }

    // The view's picture with what the widget draws over it.
    QImage Shown() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    MapDocument doc;
    okapWindow view;
};

TEST_F(MapWindowTest, MouseMovesShowThePositionOnceTheMapIsDrawn) {
    ShowStatus("before");
    MoveMouse({300, 150});
    EXPECT_EQ(Status(), "before") << "nothing is drawn yet";

    view.Repaint();
    EXPECT_EQ(doc.drawn, 1);
    MoveMouse({300, 150});
    EXPECT_EQ(Status(), "Position:    1.000000     0.000000");
    doc.positionFormat = 0;
    MoveMouse({100, 150});
    EXPECT_EQ(Status(), "Position:   -1.000     0.000");
}

TEST_F(MapWindowTest, MeasureDrawsALineAndShowsTheDistance) {
    view.Repaint();
    view.SetToolMode(kToolMeasure);
    QTest::mousePress(&view, Qt::LeftButton, {}, {200, 150});
    QTest::mouseMove(&view, {300, 150});
    EXPECT_EQ(view.DragState(), kDragMeasure);
    EXPECT_EQ(view.RubberBox(), (Box{200, 150, 300, 150}));
    // 6378 km x 0.017453293 rad for one degree; in miles and nautical miles.
    const std::string oneDegree = "   111.317 km   69.169 mi   60.106 nm ";
    EXPECT_EQ(Status(), oneDegree);

    // The dotted line lies over the picture, not in it.
    const QImage shown = Shown();
    int black = 0;
    for (int x = 200; x <= 300; ++x) black += shown.pixel(x, 150) == qRgb(0, 0, 0);
    EXPECT_GT(black, 25);
    EXPECT_NE(view.Picture().pixel(250, 150), qRgb(0, 0, 0));

    QTest::mouseRelease(&view, Qt::LeftButton, {}, {300, 150});
    EXPECT_EQ(view.DragState(), kDragReleased);
    EXPECT_EQ(Status(), oneDegree) << "the distance stays until the mouse moves";
    EXPECT_EQ(Shown(), view.Picture()) << "the line is gone";
}

TEST_F(MapWindowTest, ZoomBoxesStopAtTheScaleLimits) {
    struct Row {
        int mode;
        int32_t scale;
        QPoint to;
        Box box;
        const char* message;
        int32_t newScale;
    };
    const Row rows[] = {
        // 39 right and 100 down: dy is cut to truncate(39 x 3/4) = 29. The
        // box is 40 of CW = 401 pixels wide: truncate(40 / 401 x 150) = 14.
        {kToolZoomIn, 150, {139, 200}, {100, 100, 139, 129}, "Minimum map scale reached", 100},
        // 199 right and 150 down: dy is cut to truncate(199 x 3/4) = 149.
        // 401 / 200 x 200000000 is beyond 300000000.
        {kToolZoomOut, 200000000, {299, 250}, {100, 100, 299, 249}, "Maximum map scale reached", 300000000},
    };
    for (const Row& row : rows) {
        doc.scale = row.scale;
        view.Repaint();
        view.SetToolMode(row.mode);
        QTest::mousePress(&view, Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(&view, row.to);
        EXPECT_EQ(view.RubberBox(), row.box) << row.message;
        MessageRecorder recorder;
        QTest::mouseRelease(&view, Qt::LeftButton, {}, row.to);
        const Message limit{row.message, "Information", MessageButtons::Ok, MessageIcon::Information};
        EXPECT_EQ(recorder.messages, std::vector<Message>{limit});
        EXPECT_EQ(doc.scale, row.newScale);
        EXPECT_EQ(view.DragState(), kDragReleased);
        if (row.mode == kToolZoomIn) {
            // Recentred on the box, west and north of the old centre.
            EXPECT_LT(doc.centre.x, 0);
            EXPECT_GT(doc.centre.y, 0);
        } else {
            EXPECT_EQ(doc.centre, (LPoint{0, 0})) << "the full-scale view";
        }
        EXPECT_EQ(view.ToolMode(), row.mode) << "the tool stays";
    }
}

// The identify tool: a click shows what lies under it in a window beside the
// pointer, the next click what lies under the new place; Escape in the view
// closes the window, and so does choosing another tool.
TEST_F(MapWindowTest, IdentifyShowsAWindowThatEscapeCloses) {
    doc.mapLayers[0] = {"worldmer.mpb", "world.okf"};
    doc.mapLayerCount = 1;
    view.show();
    view.Repaint();
    view.SetToolMode(kToolDataInfo);
    EXPECT_EQ(view.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(view.IdentifyPopup(), nullptr);

    // The small world's land covers 60 W to 60 E: the view, 100 pixels a
    // degree about 0 N 0 E, is all land.
    QTest::mouseClick(&view, Qt::LeftButton, {}, {200, 150});
    IdentifyWindow* popup = view.IdentifyPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->Text().startsWith("Name: LAND\nFeature type: 1\nFeature: Land\nKind: Area\n")) << popup->Text().toStdString();
    EXPECT_EQ(popup->pos(), view.mapToGlobal(QPoint(200, 150)) + QPoint(16, 16));

    QTest::mouseClick(&view, Qt::LeftButton, {}, {100, 50});
    EXPECT_EQ(view.IdentifyPopup(), popup);
    EXPECT_EQ(popup->pos(), view.mapToGlobal(QPoint(100, 50)) + QPoint(16, 16));
    EXPECT_TRUE(popup->Text().contains("\nPosition:   -1.000000   ")) << popup->Text().toStdString();

    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(view.ToolMode(), kToolDataInfo) << "the tool stays";

    QTest::mouseClick(&view, Qt::LeftButton, {}, {200, 150});
    EXPECT_TRUE(popup->isVisible());
    view.SetToolMode(kToolMeasure);
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(MapWindowTest, AClickWithoutABoxDoesNotZoom) {
    view.Repaint();
    view.SetToolMode(kToolZoomIn);
    MessageRecorder recorder;
    QTest::mouseClick(&view, Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(doc.scale, 1484260);
    EXPECT_EQ(doc.centre, (LPoint{0, 0}));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(MapWindowTest, MessagesOfAPaintAreShownAfterIt) {
    application.mapPath = (dir / "none").string();
    MessageRecorder recorder;
    view.Repaint();
    EXPECT_TRUE(recorder.messages.empty()) << "held while the map is drawn";
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Map file path does not exist"});
    EXPECT_EQ(doc.drawn, 0);

    // The error does not hold up the next paint, which draws.
    EXPECT_EQ(badclient, 0);
    application.mapPath = dir.Path().string();
    view.Repaint();
    EXPECT_EQ(doc.drawn, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.messages.size(), 1u);
}

// A document's load problem is shown once, not on every repaint, while the
// window draws what it can; once the files change it may be shown again.
TEST_F(MapWindowTest, ALoadProblemIsShownOnceUntilTheFilesChange) {
    std::istringstream("1 0 0 0 1 0 0 0 255 99") >> doc.mapBoxStyles[0];
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {"worldmer.mpb", "missing.okf"};
    doc.detailCount = 1;
    doc.details[0] = "Text \"Title\" 0.5 0.5 1 \"Arial\" 0 255 0 0 0 40 0 0 0.5 700 0 2 ";
    MessageRecorder recorder;
    const auto repaints = [&](int n) {
        for (int i = 0; i < n; ++i) {
            view.Repaint();
            QCoreApplication::processEvents();
        }
    };
    repaints(4);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Error opening map format file"});
    // What can be drawn is: the blue map box, the red title in the middle.
    const QImage& picture = view.Picture();
    EXPECT_EQ(picture.pixel(5, 5), qRgb(0, 0, 255));
    bool red = false;
    for (int x = 150; x < 250 && !red; ++x) red = picture.pixel(x, 150) == qRgb(255, 0, 0);
    EXPECT_TRUE(red);

    // The format appears: no problem; it goes again: shown again, once.
    dir.Write("missing.okf", "F1 = Land : 1 0 0 0 1 0 0 255 0 99\r\n");
    repaints(2);
    EXPECT_EQ(recorder.messages.size(), 1u);
    std::filesystem::remove(dir / "missing.okf");
    repaints(3);
    EXPECT_EQ(recorder.messages.size(), 2u);

    // Another file named by the document is another problem.
    doc.mapLayers[0].format = "other.okf";
    repaints(2);
    EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST_F(MapWindowTest, ResizingRepaintsUnlessTheScaleIs0) {
    QResizeEvent resized(QSize(400, 300), QSize(200, 100));
    doc.scale = 0;
    QCoreApplication::sendEvent(&view, &resized);
    EXPECT_TRUE(view.Picture().isNull());

    doc.scale = 1484260;
    QCoreApplication::sendEvent(&view, &resized);
    EXPECT_TRUE(view.Painting()) << "drawn in the background";
    view.WaitForPicture();
    EXPECT_EQ(view.Picture().size(), QSize(400, 300));
    EXPECT_EQ(doc.viewportExtent, (TSize{400, -300}));
}

// The wheel zooms about the pointer, a middle drag or a left drag with
// Space held pans, the arrows pan by a tenth of the view and + and - zoom
// about its centre; each marks the document modified as Zoom does. The
// read-out under a point tells where the map went.
TEST_F(MapWindowTest, WheelDragAndKeysNavigate) {
    view.Repaint();
    doc.MarkSaved();
    const auto wheel = [&](QPoint at, int eighths) {
        QWheelEvent event(at, view.mapToGlobal(at), {}, {0, eighths}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(&view, &event);
    };

    // One notch in about 1E: 1E stays under the pointer.
    wheel({300, 150}, 120);
    EXPECT_EQ(doc.scale, 1187408);
    EXPECT_EQ(doc.modified, 1);
    MoveMouse({300, 150});
    EXPECT_EQ(Status(), "Position:    1.000000     0.000000");
    // And out again: the view comes back.
    wheel({300, 150}, -120);
    EXPECT_EQ(doc.scale, 1484260);
    MoveMouse({200, 150});
    EXPECT_EQ(Status(), "Position:    0.000000     0.000000");

    // Dragging the map 100 pixels right brings 1W to the middle.
    QTest::mousePress(&view, Qt::MiddleButton, {}, {200, 150});
    QTest::mouseMove(&view, {300, 150});
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, {300, 150});
    MoveMouse({200, 150});
    EXPECT_EQ(Status(), "Position:   -1.000000     0.000000");
    // With Space held the left button pans back, whatever the tool.
    view.SetToolMode(kToolZoomIn);
    QTest::keyPress(&view, Qt::Key_Space);
    QTest::mousePress(&view, Qt::LeftButton, {}, {300, 150});
    QTest::mouseMove(&view, {200, 150});
    QTest::mouseRelease(&view, Qt::LeftButton, {}, {200, 150});
    QTest::keyRelease(&view, Qt::Key_Space);
    EXPECT_EQ(view.DragState(), kDragIdle) << "no zoom box";
    MoveMouse({200, 150});
    EXPECT_EQ(Status(), "Position:    0.000000     0.000000");

    // The right arrow shows what lies a tenth of the view (40 pixels) east.
    QTest::keyClick(&view, Qt::Key_Right);
    MoveMouse({200, 150});
    EXPECT_EQ(Status(), "Position:    0.400000     0.000000");
    QTest::keyClick(&view, Qt::Key_Plus);
    EXPECT_EQ(doc.scale, 1187408);
    MoveMouse({200, 150});
    EXPECT_EQ(Status(), "Position:    0.400000     0.000000") << "about the centre";
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_EQ(doc.scale, 1484260);
}

// Back and Forward walk the views drawn, a drag counting once; a new view
// after Back drops the ones ahead.
TEST_F(MapWindowTest, ZoomHistoryGoesBackAndForward) {
    view.Repaint();
    const LPoint start = doc.centre;
    QTest::keyClick(&view, Qt::Key_Plus);
    const int32_t zoomed = doc.scale;
    QTest::mousePress(&view, Qt::MiddleButton, {}, {200, 150});
    for (int x = 210; x <= 300; x += 10) QTest::mouseMove(&view, {x, 150});
    QTest::mouseRelease(&view, Qt::MiddleButton, {}, {300, 150});
    const LPoint dragged = doc.centre;
    EXPECT_NE(dragged, start);

    view.Back();
    EXPECT_EQ(doc.centre, start) << "the drag is one step";
    EXPECT_EQ(doc.scale, zoomed);
    view.Back();
    EXPECT_EQ(doc.scale, 1484260);
    EXPECT_FALSE(view.CanGoBack());
    view.Forward();
    view.Forward();
    EXPECT_EQ(doc.centre, dragged);
    EXPECT_FALSE(view.CanGoForward());

    view.Back();
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_FALSE(view.CanGoForward()) << "a new view drops the ones ahead";
    EXPECT_TRUE(view.CanGoBack());
}

// The wheel keeps to the scale limits of the zoom tools, with their
// messages.
TEST_F(MapWindowTest, TheWheelKeepsToTheScaleLimits) {
    const auto wheel = [&](int eighths) {
        const QPoint at(200, 150);
        QWheelEvent event(at, view.mapToGlobal(at), {}, {0, eighths}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(&view, &event);
    };
    doc.scale = 110;
    view.Repaint();
    MessageRecorder recorder;
    wheel(120);
    EXPECT_EQ(doc.scale, 100);
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Minimum map scale reached"});

    doc.scale = 290000000;
    view.Repaint();
    recorder.messages.clear();
    wheel(-120);
    EXPECT_EQ(doc.scale, 300000000);
    EXPECT_EQ(doc.centre, (LPoint{0, 0}));
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Maximum map scale reached"});
}

// A change of view shows the last picture moved and scaled at once, and
// the new picture once it has been drawn in the background: the same as
// drawing the new view at once. A newer change replaces a paint under way.
TEST_F(MapWindowTest, AChangeOfViewShowsTheLastPictureMovedThenTheNewOne) {
    // The sample's land area (60W to 60E) at 2 pixels a degree: its edges
    // lie 120 pixels either side of the middle.
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {"worldmer.mpb", "world.okf"};
    doc.scale = 1484260 * 50;
    view.Repaint();
    const QImage first = view.Picture();
    const QRgb land = qRgb(226, 232, 196);
    ASSERT_EQ(first.pixel(81, 150), land);
    ASSERT_NE(first.pixel(79, 150), land);
    const auto westEdge = [&](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, 150) == land) return x;
        return -1;
    };
    const int edge = westEdge(first);

    // The arrow key moves the map 40 pixels east before anything is drawn.
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_TRUE(view.Painting());
    EXPECT_EQ(view.Picture().cacheKey(), first.cacheKey()) << "the old picture, not yet replaced";
    EXPECT_EQ(westEdge(Shown()), edge + 40);
    // A wheel notch about the middle before that paint is shown: the edge
    // moves away from the middle by a quarter.
    const QPoint middle(200, 150);
    QWheelEvent notch(middle, view.mapToGlobal(middle), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(&view, &notch);
    EXPECT_NEAR(westEdge(Shown()), 200 - (200 - (edge + 40)) * 1.25, 1.0);

    view.WaitForPicture();
    EXPECT_FALSE(view.Painting());
    const QImage drawn = view.Picture();
    EXPECT_NE(drawn.cacheKey(), first.cacheKey());
    EXPECT_EQ(Shown(), drawn) << "shown as it is";
    view.Repaint();
    EXPECT_EQ(drawn, view.Picture()) << "the picture of the latest view";
}

// The messages of a paint in the background are shown after it, once.
TEST_F(MapWindowTest, MessagesOfABackgroundPaintAreShownOnceAfterIt) {
    view.Repaint();
    doc.mapLayerCount = 1;
    doc.mapLayers[0] = {"worldmer.mpb", "missing.okf"};
    MessageRecorder recorder;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&view, Qt::Key_Right);
        view.WaitForPicture();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(recorder.Texts(), std::vector<std::string>{"Error opening map format file"});
}

}  // namespace
}  // namespace okap
