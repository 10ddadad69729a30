#include "styles/strip_header.h"

#include <gtest/gtest.h>

#include <string>

namespace okap {
namespace {

TEST(StripHeader, KeepsTheTrimmedTextAfterTheFirstEquals) {
    struct Row {
        const char* line;
        const char* value;
    } rows[] = {
        {"  points  =  12  ", "12"},  // the example case
        {"  no equals here  ", "no equals here"},  // whole line, trimmed
        {"symbol  = big square", "big square"},     // inner blanks stay
        {"name=square", "square"},
        {"label = a=b ", "a=b"},  // only the first "=" divides
        {"\tkey\t=\tvalue\t", "value"},
        {"key =", ""},
        {"   ", ""},
        {"", ""},
    };
    for (const Row& r : rows) {
        std::string line = r.line;
        StripHeader(line);
        EXPECT_EQ(line, r.value) << '"' << r.line << '"';
    }
}

}  // namespace
}  // namespace okap
