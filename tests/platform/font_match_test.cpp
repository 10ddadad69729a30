// Which family of the system a font request draws with.

#include "platform/font_match.h"

#include <gtest/gtest.h>

namespace okap {
namespace {

TEST(FontMatchTest, TheStyleFilesFontsDrawWithTheirMetricCompatibleStandIns) {
    const struct {
        const char* face;
        int32_t pitchAndFamily;
        const char* drawn;
    } rows[] = {
        // The Liberation fonts stand in for these three (fonts-liberation).
        {"Arial", 0, "Liberation Sans"},
        {"Times New Roman", 0, "Liberation Serif"},
        {"Courier New", 0, "Liberation Mono"},
        // A family of the system is itself.
        {"Liberation Serif", 0x20, "Liberation Serif"},
    };
    for (const auto& row : rows) EXPECT_EQ(DrawnFamily(row.face, row.pitchAndFamily), row.drawn) << row.face;
    // A fixed-pitch request with no family the system has draws fixed pitch.
    const QFont fixed = MatchingFont("No Such Family", 0x31);
    EXPECT_EQ(fixed.styleHint(), QFont::TypeWriter);
    EXPECT_TRUE(fixed.fixedPitch());
}

}  // namespace
}  // namespace okap
