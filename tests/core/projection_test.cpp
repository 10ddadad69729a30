#include "core/projection.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "platform/message_box.h"

namespace okap {
namespace {

Position At(double latDegrees, double lonDegrees) { return Position(Latitude(latDegrees), Longitude(lonDegrees)); }

// Any viewport will do for the geographic conversions.
void SetAnyViewport(Projection& p) { p.setvp({800, 600}, {800, 600}, {0, 0}, 100000); }

// A latitude of 180 degrees, stored unchecked as it would be when read in
// angle units from a document or map file. PROJ refuses it as "lat_0"
// (command: echo "10 50" | proj +proj=ortho +ellps=GRS80 +units=dm
// +lon_0=10.000000 +lat_0=180.000000 +no_defs gives
// "Error 1027 (Invalid value for an argument): ortho: Invalid value for lat_0").
Position UnfoldedOrigin() {
    Latitude lat;
    lat.PutLong(200016000);
    return Position(lat, Longitude(10.0));
}

TEST(ProjectionTest, KindsIndexAndCurveFlags) {
    struct Row {
        const char* type;
        int32_t index, init, curvedParallels, curvedMeridians;
    };
    const Row rows[] = {
        {"MERC", 0, 1, 0, 0}, {"TEXT", 1, 0, 0, 0}, {"PETE", 2, 1, 0, 0}, {"MILC", 3, 1, 0, 0},
        {"EQIC", 4, 1, 0, 0}, {"UPST", 5, 1, 1, 1}, {"LAMB", 6, 1, 0, 0}, {"POLY", 7, 1, 1, 1},
        {"ORTH", 8, 1, 0, 1},
        // An unknown code is built as Mercator but keeps its own name.
        {"XXXX", 0, 1, 0, 0}, {"merc", 0, 1, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        Projection p(row.type, At(45.0, 10.0));
        EXPECT_EQ(p.Type, row.type);
        EXPECT_EQ(p.ProjIndex, row.index);
        EXPECT_EQ(p.Valid, 1);
        EXPECT_EQ(p.Init, row.init);
        EXPECT_EQ(p.curvedParallels, row.curvedParallels);
        EXPECT_EQ(p.curvedMeridians, row.curvedMeridians);
    }
}

// Forward projections against PROJ's command-line tool, which prints the
// projected values; pos2dm truncates them towards zero (-11131949.0793 gives
// -11131949, not -11131950).
struct ForwardRow {
    const char* type;
    double originLat, originLon;
    double lat, lon;
    int ok;
    LPoint expected;
    const char* source;
};

const ForwardRow kForward[] = {
    {"MERC", 0, 20, 50, 10, 1, {-11131949, 64135245},
     R"(echo "10 50" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    {"MERC", 0, 20, -33.25, -120.5, 1, {-156403884, -39051079},
     R"(echo "-120.5 -33.25" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    {"MERC", 0, 20, 0, 200, 1, {-200375083, 0},
     R"(echo "200 0" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    // The pole lies beyond the 32-bit range: y = 2424858876.0814 is clamped.
    {"MERC", 0, 20, 90, 0, 1, {-22263898, kCoordinateLimit},
     R"(echo "0 90" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    // An unknown code converts exactly as Mercator.
    {"XXXX", 0, 20, 50, 10, 1, {-11131949, 64135245},
     R"(echo "10 50" | proj -f %.4f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    // Peters ignores the origin longitude: 0 and 20 give the same values.
    {"PETE", 0, 0, 50, 10, 1, {7884683, 68700133},
     R"(echo "10 50" | proj -f %.4f +proj=cea +ellps=GRS80 +units=dm +lat_ts=45 +no_defs)"},
    {"PETE", 0, 20, 50, 10, 1, {7884683, 68700133},
     R"(echo "10 50" | proj -f %.4f +proj=cea +ellps=GRS80 +units=dm +lat_ts=45 +no_defs)"},
    {"PETE", 0, 20, -33.25, -120.5, 1, {-95010436, -49108866},
     R"(echo "-120.5 -33.25" | proj -f %.4f +proj=cea +ellps=GRS80 +units=dm +lat_ts=45 +no_defs)"},
    {"MILC", 0, -30, 50, 10, 1, {44527796, 60824278},
     R"(echo "10 50" | proj -f %.4f +proj=mill +ellps=GRS80 +units=dm +lon_0=-30.000000 +no_defs)"},
    {"MILC", 0, -30, -33.25, -120.5, 1, {-100744139, -38419816},
     R"(echo "-120.5 -33.25" | proj -f %.4f +proj=mill +ellps=GRS80 +units=dm +lon_0=-30.000000 +no_defs)"},
    {"EQIC", 0, 0, 50, 10, 1, {9640550, 55659745},
     R"(echo "10 50" | proj -f %.4f +proj=eqc +ellps=GRS80 +units=dm +lon_0=0.000000 +lat_ts=30 +no_defs)"},
    {"EQIC", 0, 0, -33.25, -120.5, 1, {-116168635, -37013730},
     R"(echo "-120.5 -33.25" | proj -f %.4f +proj=eqc +ellps=GRS80 +units=dm +lon_0=0.000000 +lat_ts=30 +no_defs)"},
    // Origin latitude exactly 0 chooses the north pole, -0.5 the south; the
    // values are in metres.
    {"UPST", 0, 0, 60, 10, 1, {2591424, -1354137},
     R"(echo "10 60" | proj -f %.4f +proj=ups +ellps=GRS80 +lon_0=0.000000 +north +no_defs)"},
    {"UPST", 0, 0, 85, -120.5, 1, {1521401, 2281915},
     R"(echo "-120.5 85" | proj -f %.4f +proj=ups +ellps=GRS80 +lon_0=0.000000 +north +no_defs)"},
    {"UPST", -0.5, 0, 60, 10, 1, {10142366, 48177656},
     R"(echo "10 60" | proj -f %.4f +proj=ups +ellps=GRS80 +lon_0=0.000000 +south +no_defs)"},
    {"UPST", -0.5, 0, -85, -120.5, 1, {1521401, 1718084},
     R"(echo "-120.5 -85" | proj -f %.4f +proj=ups +ellps=GRS80 +lon_0=0.000000 +south +no_defs)"},
    // Lambert ignores the origin longitude too.
    {"LAMB", 0, 20, 50, 10, 1, {11131949, 48659835},
     R"(echo "10 50" | proj -f %.4f +proj=cea +ellps=GRS80 +units=dm +no_defs)"},
    {"LAMB", 0, 20, -33.25, -120.5, 1, {-134139986, -34783474},
     R"(echo "-120.5 -33.25" | proj -f %.4f +proj=cea +ellps=GRS80 +units=dm +no_defs)"},
    {"POLY", 0, 10, 50, 10, 1, {0, 55408470},
     R"(echo "10 50" | proj -f %.4f +proj=poly +ellps=GRS80 +units=dm +lon_0=10.000000 +no_defs)"},
    {"POLY", 0, 10, -33.25, -20.5, 1, {-28020744, -40923239},
     R"(echo "-20.5 -33.25" | proj -f %.4f +proj=poly +ellps=GRS80 +units=dm +lon_0=10.000000 +no_defs)"},
    {"ORTH", 45, 10, 50, 10, 1, {0, 5551972},
     R"(echo "10 50" | proj -f %.4f +proj=ortho +ellps=GRS80 +units=dm +lon_0=10.000000 +lat_0=45.000000 +no_defs)"},
    {"ORTH", 45, 10, 33.25, -20.5, 1, {-27099112, -7729347},
     R"(echo "-20.5 33.25" | proj -f %.4f +proj=ortho +ellps=GRS80 +units=dm +lon_0=10.000000 +lat_0=45.000000 +no_defs)"},
    // The far side of the globe: the tool prints "*	*".
    {"ORTH", 45, 10, -45, -170, 0, {},
     R"(echo "-170 -45" | proj -f %.4f +proj=ortho +ellps=GRS80 +units=dm +lon_0=10.000000 +lat_0=45.000000 +no_defs)"},
};

TEST(ProjectionTest, ForwardAgreesWithProjTool) {
    const LPoint untouched{-7, -7};
    for (const ForwardRow& row : kForward) {
        SCOPED_TRACE(row.source);
        Projection p(row.type, At(row.originLat, row.originLon));
        SetAnyViewport(p);
        LPoint out = untouched;
        EXPECT_EQ(p.pos2dm(At(row.lat, row.lon), out), row.ok);
        EXPECT_EQ(out, row.ok ? row.expected : untouched);
    }
}

// Inverse projections against the tool's invproj, which prints degrees; the
// result is held in whole angle units (1/1111200 degree), so the expected
// values are the tool's degrees rounded to units.
struct InverseRow {
    const char* type;
    double originLat, originLon;
    LPoint world;
    int ok;
    double lat, lon;
    const char* source;
};

const InverseRow kInverse[] = {
    {"MERC", 0, 20, {1000000, 5000000}, 1, 4.517098098, 20.898315284,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    {"MERC", 0, 20, {-30000000, -2000000}, 1, -1.808434589, -6.949458524,
     R"(echo "-30000000 -2000000" | invproj -f %.9f +proj=merc +ellps=GRS80 +units=dm +lon_0=20.000000 +no_defs)"},
    {"PETE", 0, 20, {1000000, 5000000}, 1, 3.204419213, 1.268281725,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=cea +ellps=GRS80 +units=dm +lat_ts=45 +no_defs)"},
    {"MILC", 0, -30, {1000000, 5000000}, 1, 4.488635027, -29.101684716,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=mill +ellps=GRS80 +units=dm +lon_0=-30.000000 +no_defs)"},
    {"EQIC", 0, 0, {1000000, 5000000}, 1, 4.491576421, 1.037285142,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=eqc +ellps=GRS80 +units=dm +lon_0=0.000000 +lat_ts=30 +no_defs)"},
    {"UPST", 0, 0, {2500000, 1500000}, 1, 83.637317561, 45.0,
     R"(echo "2500000 1500000" | invproj -f %.9f +proj=ups +ellps=GRS80 +lon_0=0.000000 +north +no_defs)"},
    {"UPST", -0.5, 0, {2500000, 1500000}, 1, -83.637317561, 135.0,
     R"(echo "2500000 1500000" | invproj -f %.9f +proj=ups +ellps=GRS80 +lon_0=0.000000 +south +no_defs)"},
    {"LAMB", 0, 20, {1000000, 5000000}, 1, 4.526428590, 0.898315284,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=cea +ellps=GRS80 +units=dm +no_defs)"},
    {"POLY", 0, 10, {1000000, 5000000}, 1, 4.521192677, 10.901100835,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=poly +ellps=GRS80 +units=dm +lon_0=10.000000 +no_defs)"},
    {"ORTH", 45, 10, {1000000, 5000000}, 1, 49.494334641, 11.380492641,
     R"(echo "1000000 5000000" | invproj -f %.9f +proj=ortho +ellps=GRS80 +units=dm +lon_0=10.000000 +lat_0=45.000000 +no_defs)"},
    // Off the disc of the globe: the tool prints "*	*".
    {"ORTH", 45, 10, {70000000, 0}, 0, 0, 0,
     R"(echo "70000000 0" | invproj -f %.9f +proj=ortho +ellps=GRS80 +units=dm +lon_0=10.000000 +lat_0=45.000000 +no_defs)"},
};

TEST(ProjectionTest, InverseAgreesWithProjTool) {
    const Position untouched = At(-1.0, -1.0);
    for (const InverseRow& row : kInverse) {
        SCOPED_TRACE(row.source);
        Projection p(row.type, At(row.originLat, row.originLon));
        SetAnyViewport(p);
        Position out = untouched;
        EXPECT_EQ(p.dm2pos(row.world, out), row.ok);
        EXPECT_EQ(out, row.ok ? At(row.lat, row.lon) : untouched);
    }
}

TEST(ProjectionTest, FailedPointDoesNotSpoilTheNext) {
    // PROJ keeps an error number per object; a failure must not make the
    // following good points fail too. Values as in the tables above.
    Projection p("ORTH", At(45.0, 10.0));
    SetAnyViewport(p);
    for (int round = 0; round < 2; ++round) {
        LPoint world;
        EXPECT_EQ(p.pos2dm(At(-45.0, -170.0), world), 0);
        EXPECT_EQ(p.pos2dm(At(50.0, 10.0), world), 1);
        EXPECT_EQ(world, (LPoint{0, 5551972}));
        Position pos;
        EXPECT_EQ(p.dm2pos({70000000, 0}, pos), 0);
        EXPECT_EQ(p.dm2pos({1000000, 5000000}, pos), 1);
        EXPECT_EQ(pos, At(49.494334641, 11.380492641));
    }
}

TEST(ProjectionTest, ViewportArithmetic) {
    // Width 800 x 600 at scale 100000: the width spans 3 x 100000 dm and the
    // height 3/4 of that (hand computation).
    Projection p("MERC", Position());
    p.setvp({800, 600}, {1, 1}, {0, 0}, 100000);
    EXPECT_EQ(p.vpset, 1);
    EXPECT_EQ(p.lpextent, (TSize{800, 600}));
    EXPECT_EQ(p.dmscale, 100000);
    EXPECT_EQ(p.dmextent, (LPoint{300000, -225000}));
    EXPECT_EQ(p.lporigin, (POINT{400, -300}));
    EXPECT_DOUBLE_EQ(p.dmaspectx, 375.0);
    EXPECT_DOUBLE_EQ(p.dmaspecty, -375.0);

    LPoint world;
    ASSERT_EQ(p.lp2dm({400, -300}, world), 1);
    EXPECT_EQ(world, p.dmcentre);

    LBox box;
    ASSERT_EQ(MakeBox(p, box), 1);
    EXPECT_EQ(box, (LBox{{-150000, 112500}, {150000, -112500}}));

    // Back again: the corners of the box are the corners of the view, and
    // moving north moves up.
    TPoint logical;
    ASSERT_EQ(p.dm2lp(box.tl, logical), 1);
    EXPECT_EQ(logical, (POINT{0, 0}));
    ASSERT_EQ(p.dm2lp(box.br, logical), 1);
    EXPECT_EQ(logical, (POINT{800, -600}));
    ASSERT_EQ(p.dm2lp({0, 3750}, logical), 1);
    EXPECT_EQ(logical, (POINT{400, -290}));

    // Odd sizes: the centre truncates towards zero.
    p.setvp({801, 601}, {}, {1000, -2000}, 100000);
    EXPECT_EQ(p.lporigin, (POINT{400, -300}));
    EXPECT_EQ(p.lp2dm({400, -300}, world), 1);
    EXPECT_EQ(world, (LPoint{1000, -2000}));
}

TEST(ProjectionTest, FarPointsClampInsteadOfOverflowing) {
    // A centre near one end of the range and points near the other: the
    // differences exceed 32 bits, the results clamp.
    Projection p("MERC", Position());
    p.setvp({800, 600}, {}, {-2000000000, 2000000000}, 100000);
    LPoint world;
    ASSERT_EQ(p.lp2dm({INT_MAX, INT_MIN}, world), 1);
    EXPECT_EQ(world, (LPoint{kCoordinateLimit, -kCoordinateLimit}));
    TPoint logical;
    ASSERT_EQ(p.dm2lp({2000000000, -2000000000}, logical), 1);
    // +-4e9 dm x (800 / 300000) = +-10666666.67, plus the centre (400, -300).
    EXPECT_EQ(logical, (POINT{10667066, -10666966}));

    // A huge scale: the extent clamps too.
    p.setvp({800, 600}, {}, {0, 0}, INT32_MAX);
    EXPECT_EQ(p.dmextent, (LPoint{kCoordinateLimit, -kCoordinateLimit}));

    // An empty view (a minimised window) divides by zero; the conversions
    // stay defined (the sanitizers watch the float-to-int conversions).
    p.setvp({0, 0}, {}, {5, 5}, 100000);
    EXPECT_EQ(p.lp2dm({3, -3}, world), 1);
    EXPECT_EQ(p.dm2lp({1000, 1000}, logical), 1);
}

TEST(ProjectionTest, ConversionsNeedAViewport) {
    // How many of the four conversions succeed.
    auto allConvert = [](Projection& p) {
        LPoint world;
        Position pos;
        TPoint logical;
        return p.pos2dm(At(50.0, 10.0), world) + p.dm2pos({1000, 1000}, pos) + p.lp2dm({10, -10}, world) +
               p.dm2lp({1000, 1000}, logical);
    };
    Projection a("MERC", Position());
    EXPECT_EQ(allConvert(a), 0);
    SetAnyViewport(a);
    EXPECT_EQ(allConvert(a), 4);

    // Copies start without a viewport, and assignment drops the one it had.
    Projection copy(a);
    EXPECT_EQ(allConvert(copy), 0);
    Projection b("ORTH", At(45.0, 10.0));
    SetAnyViewport(b);
    b = a;
    EXPECT_EQ(b.vpset, 0);
    EXPECT_EQ(allConvert(b), 0);
    SetAnyViewport(b);
    EXPECT_EQ(allConvert(b), 4);
}

TEST(ProjectionTest, NoProjObjectConvertsNoPositions) {
    MessageRecorder recorder;
    Projection empty;
    Projection text("TEXT", At(10.0, 20.0));
    Projection failed("ORTH", UnfoldedOrigin());
    struct Row {
        const char* name;
        Projection* p;
        int32_t valid;
    };
    const Row rows[] = {{"default", &empty, 0}, {"TEXT", &text, 1}, {"failed", &failed, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Projection& p = *row.p;
        EXPECT_EQ(p.Valid, row.valid);
        EXPECT_EQ(p.Init, 0);
        SetAnyViewport(p);
        LPoint world{-7, -7};
        EXPECT_EQ(p.pos2dm(At(50.0, 10.0), world), 0);
        EXPECT_EQ(world, (LPoint{-7, -7}));
        Position pos = At(-1.0, -1.0);
        EXPECT_EQ(p.dm2pos({1000, 1000}, pos), 0);
        EXPECT_EQ(pos, At(-1.0, -1.0));
        // The viewport still works without PROJ.
        EXPECT_EQ(p.lp2dm({400, -300}, world), 1);
        EXPECT_EQ(world, (LPoint{0, 0}));
    }
}

TEST(ProjectionTest, SetupFailureIsReportedQuietly) {
    MessageRecorder recorder;
    testing::internal::CaptureStderr();
    Projection p("ORTH", UnfoldedOrigin());
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, "");  // PROJ's own log stays silent
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Projection initialisation failure");
    EXPECT_EQ(recorder.messages[0].caption, "Error");
    EXPECT_EQ(p.ProjIndex, 8);
    EXPECT_EQ(p.Valid, 0);
    EXPECT_EQ(p.Init, 0);

    // Assigning a good projection over it repairs it; a failed one over a
    // good one (as a document does when it reads a bad origin) reports once
    // more, not once for the new object and again for the assignment.
    p = Projection("ORTH", At(45.0, 10.0));
    EXPECT_EQ(p.Valid, 1);
    EXPECT_EQ(p.Init, 1);
    p = Projection("ORTH", UnfoldedOrigin());
    EXPECT_EQ(p.Valid, 0);
    EXPECT_EQ(p.Init, 0);
    EXPECT_EQ(recorder.Texts(),
              (std::vector<std::string>{"Projection initialisation failure", "Projection initialisation failure"}));
    // Copying the failed one tries again, and reports again.
    Projection copy(p);
    EXPECT_EQ(copy.Valid, 0);
    EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST(ProjectionTest, CopiesOwnTheirProjObject) {
    auto source = std::make_unique<Projection>("ORTH", At(45.0, 10.0));
    Projection copied(*source);
    Projection assigned("MERC", Position());
    assigned = *source;
    Projection self("ORTH", At(45.0, 10.0));
    Projection& alias = self;
    self = alias;
    Projection movedFrom("ORTH", At(45.0, 10.0));
    Projection moved(std::move(movedFrom));
    Projection moveAssigned("MERC", Position());
    SetAnyViewport(moveAssigned);
    moveAssigned = std::move(moved);
    EXPECT_EQ(moveAssigned.vpset, 0);
    // A failure in the source must not show in the copies either.
    SetAnyViewport(*source);
    LPoint world;
    EXPECT_EQ(source->pos2dm(At(-45.0, -170.0), world), 0);
    source.reset();

    // What was moved from has nothing left to convert with.
    SetAnyViewport(movedFrom);
    EXPECT_EQ(movedFrom.Init, 0);
    EXPECT_EQ(movedFrom.pos2dm(At(50.0, 10.0), world), 0);

    // Value from the forward table (ORTH 45/10, point 50/10).
    for (Projection* p : {&copied, &assigned, &self, &moveAssigned}) {
        EXPECT_EQ(p->Type, "ORTH");
        EXPECT_EQ(p->Origin, At(45.0, 10.0));
        EXPECT_EQ(p->Valid, 1);
        EXPECT_EQ(p->Init, 1);
        SetAnyViewport(*p);
        LPoint out;
        EXPECT_EQ(p->pos2dm(At(50.0, 10.0), out), 1);
        EXPECT_EQ(out, (LPoint{0, 5551972}));
    }
}

}  // namespace
}  // namespace okap
