#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace okap {
namespace {

TEST(NumberTextTest, FormatsLikeTheCForms) {
    // Expected texts are what printf gives for the same form.
    EXPECT_EQ(FormatFixed(12.5), "12.500000");                  // %lf
    EXPECT_EQ(FormatFixed(-12.25, 3, 7), "-12.250");            // %7.3lf
    EXPECT_EQ(FormatFixed(5.0, 6, 11), "   5.000000");          // %11.6lf
    EXPECT_EQ(FormatGeneral(12.0), "12");                       // %g
    EXPECT_EQ(FormatGeneral(0.5), "0.5");
    EXPECT_EQ(FormatGeneral(1234567.0), "1.23457e+06");
    EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
    EXPECT_EQ(FormatInt(7, 2), "07");                           // %02d
    EXPECT_EQ(FormatInt(-7, 3), "-07");                         // %03d
    EXPECT_EQ(FormatInt(123, 2), "123");
}

TEST(NumberTextTest, ReadsLikeScanf) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } const cases[] = {
        {" \t-1.5e2xyz", -150.0}, {"+.5", 0.5}, {"7.", 7.0}, {"", std::nullopt},
        {"-", std::nullopt}, {"--5", std::nullopt}, {"+-5", std::nullopt},      {"x1", std::nullopt}, {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL},
        {"1e-999", 0.0},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadDouble(c.text), c.value) << c.text;
}

TEST(NumberTextTest, ReadsWholeNumbersOnly) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } const cases[] = {
        {" -12.5 ", -12.5}, {"+3e2", 300.0}, {"12abc", std::nullopt}, {"12 3", std::nullopt},
        {"", std::nullopt}, {"inf", std::nullopt}, {"--1", std::nullopt}, {"+-1", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadWholeDouble(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace okap
