// A paint on a thread of its own: two at once in different directories,
// with different globals, each draw what one paint alone draws and leave
// the calling thread as it was; a cancelled paint stops.

#include "app/frame/background_paint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/globals.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"

namespace okap {
namespace {

class BackgroundPaintTest : public test::DocumentTest {
protected:
    // The sample's land area in a map box of the given colour, in its own
    // directory with its own format file giving the land another.
    MapDocument Document(const std::filesystem::path& folder, const char* landStyle) {
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(dir / "worldmer.mpb", folder / "worldmer.mpb");
        std::ofstream(folder / "land.okf", std::ios::binary) << "F1 = Land : " << landStyle << "\r\n";
        MapDocument document;
        document.New();
        document.gridOn = 0;
        document.mapLayerCount = 1;
        document.mapLayers[0] = {"worldmer.mpb", "land.okf"};
        document.centre = {0, 0};
        document.scale = 1484260 * 50;
        return document;
    }
    static ViewSettings In(const std::filesystem::path& folder) {
        return ViewSettings{.mapDirectory = folder.string(), .dataDirectory = folder.string()};
    }
};

TEST_F(BackgroundPaintTest, TwoPaintsAtOnceKeepTheirOwnState) {
    const std::filesystem::path red = dir / "red";
    const std::filesystem::path green = dir / "green";
    const MapDocument first = Document(red, "1 0 0 0 1 5 255 0 0 99");
    const MapDocument second = Document(green, "1 0 0 0 1 5 0 128 0 99");
    GlobalsState wide = SaveGlobals();
    wide.dispix = 2.0;
    const QSize size(400, 300);
    // Each alone, one after the other.
    const QImage redAlone = PaintPicture(first, In(red), SaveGlobals(), size).picture;
    const QImage greenAlone = PaintPicture(second, In(green), wide, size).picture;
    ASSERT_EQ(redAlone.pixel(200, 150), qRgb(255, 0, 0));
    ASSERT_EQ(greenAlone.pixel(200, 150), qRgb(0, 128, 0));

    const std::filesystem::path start = std::filesystem::current_path();
    const GlobalsState before = SaveGlobals();
    MessageRecorder recorder;
    for (int round = 0; round < 5; ++round) {
        PaintedPicture a;
        PaintedPicture b;
        std::thread one([&] { a = PaintPicture(first, In(red), before, size); });
        std::thread two([&] { b = PaintPicture(second, In(green), wide, size); });
        // The calling thread paints too, as printing does beside the window.
        const PaintedPicture c = PaintPicture(first, In(red), before, size);
        one.join();
        two.join();
        EXPECT_EQ(a.picture, redAlone);
        EXPECT_EQ(b.picture, greenAlone);
        EXPECT_EQ(c.picture, redAlone);
        EXPECT_TRUE(a.messages.empty() && b.messages.empty() && c.messages.empty());
    }
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(SaveGlobals().pixwid, before.pixwid);
    EXPECT_EQ(SaveGlobals().lcperdegree, before.lcperdegree);
    EXPECT_TRUE(recorder.messages.empty()) << "messages stay with their paint";
}

// On a high-density screen the picture has more pixels, not another map:
// the mapping stays in the window's pixels, so the read-out and navigation
// work as before, and the land covers the same share of the view.
TEST_F(BackgroundPaintTest, AHighDensityPictureIsTheSameMapSharper) {
    const std::filesystem::path folder = dir / "maps";
    const MapDocument document = Document(folder, "1 0 0 0 1 5 255 0 0 99");
    const QSize size(400, 300);
    const PaintedPicture plain = PaintPicture(document, In(folder), SaveGlobals(), size);
    const PaintedPicture dense = PaintPicture(document, In(folder), SaveGlobals(), size, 2.0);
    EXPECT_EQ(dense.picture.size(), size * 2);
    EXPECT_EQ(dense.picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(dense.picture.deviceIndependentSize(), QSizeF(size));
    EXPECT_EQ(dense.document.windowExtent, plain.document.windowExtent);
    EXPECT_EQ(dense.document.viewportExtent, plain.document.viewportExtent);
    auto landShare = [](const QImage& image) {
        int land = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) land += image.pixel(x, y) == qRgb(255, 0, 0);
        return static_cast<double>(land) / (image.width() * image.height());
    };
    EXPECT_GT(landShare(plain.picture), 0.1);
    EXPECT_NEAR(landShare(dense.picture), landShare(plain.picture), 0.01);
}

TEST_F(BackgroundPaintTest, MessagesStayWithTheirPaint) {
    MapDocument document = Document(dir / "maps", "1 0 0 0 1 5 255 0 0 99");
    document.mapLayers[0].format = "missing.okf";
    MessageRecorder recorder;
    PaintedPicture painted;
    std::thread([&] { painted = PaintPicture(document, In(dir / "maps"), SaveGlobals(), {200, 100}); }).join();
    EXPECT_EQ(painted.messages.size(), 1u);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(BackgroundPaintTest, ACancelledPaintStops) {
    const std::filesystem::path folder = dir / "maps";
    ViewSettings settings = In(folder);
    settings.cancelled = [] { return true; };
    const PaintedPicture painted =
        PaintPicture(Document(folder, "1 0 0 0 1 5 255 0 0 99"), settings, SaveGlobals(), {200, 100});
    EXPECT_TRUE(painted.cancelled);
    EXPECT_EQ(painted.picture.pixel(100, 50), qRgb(255, 255, 255)) << "nothing drawn";
}

}  // namespace
}  // namespace okap
