#include "core/latlong.h"

#include <gtest/gtest.h>

#include <limits>

namespace okap {
namespace {

// Folding and rounding: expected units are hand computations of
// trunc(d x 1111200 +- 0.5) after folding by whole turns.
struct FoldCase {
    double degrees;
    int32_t latitudeUnits;
    int32_t longitudeUnits;
};

const FoldCase kFoldCases[] = {
    {0.0, 0, 0},
    {12.5, 13890000, 13890000},
    {100.0, -88896000, 111120000},         // latitude folds to -80
    {400.0, 44448000, -355584000},         // latitude 400-360=40; longitude 400-720=-320
    {-0.0000004, 0, 0},                    // -0.44448 - 0.5 truncates to 0
    {-0.0000005, -1, -1},                  // -0.5556 - 0.5 = -1.0556 truncates to -1
    {90.0, 100008000, 100008000},          // the bound itself stays
    {-270.0, -100008000, -300024000},      // latitude -270+180 = -90 stops at the bound
    {-1080.0, 0, -400032000},              // longitude -1080+720 = -360 stops at the bound
    {std::numeric_limits<double>::infinity(), 0, 0},  // not finite: zero
    {std::numeric_limits<double>::quiet_NaN(), 0, 0},
};

TEST(LatLongTest, FoldsAndRoundsLikeRepeatedTurns) {
    for (const FoldCase& c : kFoldCases) {
        SCOPED_TRACE(c.degrees);
        Latitude lat(c.degrees);
        Longitude lon(c.degrees);
        EXPECT_EQ(lat.GetLong(), c.latitudeUnits);
        EXPECT_EQ(lon.GetLong(), c.longitudeUnits);
    }
}

TEST(LatLongTest, HugeValuesFoldIntoRange) {
    // Repeated subtraction would never finish on these.
    for (double degrees : {1e300, -1e300, 1e17, -std::numeric_limits<double>::max()}) {
        SCOPED_TRACE(degrees);
        EXPECT_LE(std::abs(Latitude(degrees).GetDegrees()), 90.0);
        EXPECT_LE(std::abs(Longitude(degrees).GetDegrees()), 360.0);
    }
}

TEST(LatLongTest, ReadsTheLeadingNumberOfTheFirst19Characters) {
    struct Case {
        const char* text;
        double degrees;
    } const cases[] = {
        {"  12.5abc", 12.5},               // blanks skipped, trailing text ignored
        {"45 30\" 00'S", 45.0},             // only the degrees of a degree-minute form, letter ignored
        {"-1.5e1", -15.0},
        {"+7", 7.0},
        {"", 0.0},                          // no number: zero
        {"abc", 0.0},
        {"inf", 0.0},                       // not finite: zero
        {"nan", 0.0},
        {"1234567890123456789999", 1234567890123456789.0},  // digits past the 19th are not read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ReadDegrees(c.text), c.degrees);
    }
    EXPECT_DOUBLE_EQ(ReadDegrees(std::string(18, ' ') + "5"), 5.0);  // the 19th character is read
    EXPECT_DOUBLE_EQ(ReadDegrees(std::string(19, ' ') + "5"), 0.0);  // the 20th is not
    EXPECT_EQ(Latitude("  12.5abc").GetLong(), 13890000);
    EXPECT_EQ(Longitude("-0.0000005").GetLong(), -1);
}

TEST(LatLongTest, LatitudeDisplayForms) {
    struct Case {
        double degrees;
        int format;
        const char* text;
    } const cases[] = {
        {-12.25, 0, "-12.250"},          // exactly seven characters: no padding
        {5.0, 0, "  5.000"},
        {5.0, 1, "  5.000000"},
        {5.0, -3, "  5.000000"},         // below 0 is the long decimal form
        {45.5, 2, "45 30\" 00'N"},
        {45.5, 3, "45 30\"N"},
        {45.5, 4, "45 N"},               // 30 minutes is not more than 30
        {-45.51, 4, "46 S"},             // 45 30' 36": minutes carry to 31, then degrees carry
        {-10.0 - 40.0 / 60 - 31.0 / 3600, 3, "10 41\"S"},  // 31 seconds carry into the minutes
        {0.0, 4, "00 S"},                // zero takes the southern letter
        {0.0, 2, "00 00\" 00'S"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.degrees << " format " << c.format);
        EXPECT_EQ(Latitude(c.degrees).GetString(c.format), c.text);
    }
}

TEST(LatLongTest, LongitudeDisplayFormsAndModes) {
    struct Case {
        double degrees;
        int format;
        int mode;
        const char* text;
    } const cases[] = {
        {-0.5, 4, 1, "000 W"},
        {190.0, 1, 1, "-170.000000"},
        {190.0, 0, 2, " 190.000"},
        {190.0, 0, 0, "-170.000"},
        {-100.0, 0, 2, " 260.000"},
        {12.0 + 3.0 / 60 + 20.5 / 3600, 2, 9, "012 03\" 20'E"},  // any other mode: unchanged
        {-170.25, 3, 1, "170 15\"W"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.degrees << " format " << c.format << " mode " << c.mode);
        EXPECT_EQ(Longitude(c.degrees).GetString(c.format, c.mode), c.text);
    }
    Longitude lon(190.0);
    EXPECT_DOUBLE_EQ(lon.GetDegrees(2), 190.0);
    EXPECT_DOUBLE_EQ(lon.GetDegrees(0), -170.0);
    EXPECT_DOUBLE_EQ(Longitude(-200.0).GetDegrees(1), 160.0);
    EXPECT_DOUBLE_EQ(Longitude(-200.0).GetDegrees(0), -200.0);
    EXPECT_EQ(lon.GetString(), "190.000000");
}

}  // namespace
}  // namespace okap
