#pragma once
// What the Datafile tests share: a map files directory with a symbol
// library, a data files directory, and a view whose scales are easy to
// reckon with.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/globals.h"
#include "core/projection.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap::test {

// The library's square (the default symbol's five points) and its triangle
// example, each entry ending with a line break.
inline constexpr char kLibrary[] =
    "symbol  = square\r\npoints  = 5\r\n-98 98\r\n98 98\r\n98 -98\r\n-98 -98\r\n-98 98\r\n"
    "symbol  = triangle\r\npoints  = 4\r\n0 100\r\n87 -50\r\n-87 -50\r\n0 100\r\n";

// A new format as the option dialog starts it: no classes, the default
// styles (PlotStyle() is off, black, width 1, solid fill; TextStyle() is on,
// grey 12-point Arial centred), and the dialog's starting texts.
inline constexpr char kNewFormat[] =
    "Format type        = 0\r\n"
    "Number of symbols  = 0\r\n"
    "Legend             = 0\r\n"
    "Legend name        = Legend\r\n"
    "Legend name style  = 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 \r\n"
    "Legend border plot style = 0 0 0 0 1 0 0 0 0 99\r\n"
    "Legend border position   = 0.05 0.50 0.4 0.95\r\n"
    "Legend columns     = 1\r\n"
    "Symbol join style  = 0 0 0 0 1 0 0 0 0 99\r\n";

// A new format with count classes given as their eight lines each.
inline std::string FormatWithClasses(int count, const std::string& classLines) {
    std::string text = kNewFormat;
    text.replace(text.find("symbols  = 0"), 12, "symbols  = " + std::to_string(count));
    return text + classLines;
}

// The lines of class k: a black filled symbol, labels on, labelled
// "low-high".
inline std::string ClassLines(int k, const std::string& name, const std::string& low = "0",
                              const std::string& high = "10", const std::string& sizeBasis = "0",
                              const std::string& size = "12") {
    const std::string key = "Symbol" + std::to_string(k);
    return key + " name       = " + name + "\r\n" + key + " rsize      = " + sizeBasis + "\r\n" + key +
           " size       = " + size + "\r\n" + key + " low value  = " + low + "\r\n" + key +
           " high value = " + high + "\r\n" + key + " plot style = 1 0 0 0 1 0 0 0 0 99\r\n" + key +
           " text style = 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 \r\n" + key + " label      = " + low +
           "-" + high + "\r\n";
}

// Every "\r\n" of text as "\n": the same file as a Unix editor saves it.
inline std::string LfOnly(std::string_view text) {
    std::string lf;
    for (char c : text)
        if (c != '\r') lf += c;
    return lf;
}

inline Position At(double latDegrees, double lonDegrees) {
    return Position(Latitude(latDegrees), Longitude(lonDegrees));
}

class DatafileTest : public ::testing::Test {
protected:
    // The view is 10000 logical units wide (as the map view always is) and
    // 10 degrees of latitude: scale 3704000 dm gives a world width of
    // 3 x 3704000 = 11112000 dm = 10 x 1111200 dm. So 1000 logical units a
    // degree, and W / 10 = 1000. It is centred on Sydney (33.9 S 151.2 E),
    // which therefore lies at the logical centre (5000, -3750).
    static constexpr TSize kExtent{10000, 7500};
    static constexpr int32_t kScale = 3704000;
    static constexpr POINT kSydney{5000, -3750};

    void SetUp() override {
        ResetGlobals();
        std::filesystem::create_directory(dir / "maps");
        std::filesystem::create_directory(dir / "data");
        dir.Write("maps/okap.sym", kLibrary);
        view.setvp(kExtent, kExtent, {0, 0}, kScale);
        LPoint sydney;
        ASSERT_EQ(view.pos2dm(At(-33.9, 151.2), sydney), 1);
        view.setvp(kExtent, kExtent, sydney, kScale);
    }
    void TearDown() override { ResetGlobals(); }

    std::string MapPath() const { return (dir / "maps").string(); }
    std::string DataPath() const { return (dir / "data").string(); }
    void WriteFormatFile(const std::string& name, std::string_view text) const { dir.Write("maps/" + name, text); }
    void WriteDataFile(const std::string& name, std::string_view text) const { dir.Write("data/" + name, text); }

    // On the heap: the class tables are large.
    std::unique_ptr<Datafile> MakeFile() { return std::make_unique<Datafile>(view, MapPath(), DataPath()); }

    TempDir dir;
    Projection view{"MERC", At(0.0, 0.0)};
    MessageRecorder messages;
};

}  // namespace okap::test
