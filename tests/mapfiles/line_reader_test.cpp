#include "mapfiles/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace okap {
namespace {

// Lines across the reader's 1 MiB blocks: a CR LF split between two
// blocks, a line longer than a block, and a last line without its end.
TEST(LineReaderTest, LinesAcrossBlocks) {
    test::TempDir dir;
    const std::string first(1024 * 1024 - 1, 'a');  // its CR ends the first block
    const std::string longLine(3 * 1024 * 1024 + 17, 'b');
    const std::string contents = first + "\r\nshort\n\n" + longLine + "\r\nlast\r";
    LineReader reader;
    EXPECT_FALSE(reader.Open(dir / "missing.mpa"));
    ASSERT_TRUE(reader.Open(dir.Write("lines.mpa", contents)));
    EXPECT_EQ(reader.Size(), static_cast<int64_t>(contents.size()));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{first, "short", "", longLine, "last"}));
    EXPECT_EQ(reader.Position(), reader.Size());
    EXPECT_FALSE(reader.Next(line));
    EXPECT_TRUE(reader.Close());
}

// Lines that end in CR alone read as any others; a CR LF file whose first
// line ends a block with its CR is not taken for one.
TEST(LineReaderTest, LinesEndingInCrAlone) {
    test::TempDir dir;
    LineReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("mac.mpa", "\"A\",1,-2\r0,0\r1,1\r\rlast")));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"\"A\",1,-2", "0,0", "1,1", "", "last"}));
    EXPECT_EQ(reader.LineNumber(), 5);

    ASSERT_TRUE(reader.Open(dir.Write("mac2.mpa", "\"A\",1,-2\r0,0\r1,1\r\"B\",1,1\r2,2\r")));
    std::string taken;
    ASSERT_TRUE(reader.Next(line));
    ASSERT_TRUE(reader.TakeLinesUntil('"', taken, line));
    EXPECT_EQ(taken, "0,0\n1,1\n");
    EXPECT_EQ(line, "\"B\",1,1");
    EXPECT_EQ(reader.LineNumber(), 4);
}

// A line longer than any text file's stops the reading, rather than growing
// the buffer without end; the lines before it are read.
TEST(LineReaderTest, ALineTooLongEndsTheReading) {
    test::TempDir dir;
    LineReader reader;
    const std::string contents = "first\n" + std::string(LineReader::kMaxLineLength + 1, 'x');
    ASSERT_TRUE(reader.Open(dir.Write("long.mpa", contents)));
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "first");
    EXPECT_FALSE(reader.LineTooLong());
    EXPECT_FALSE(reader.Next(line));
    EXPECT_TRUE(reader.LineTooLong());
    EXPECT_EQ(reader.LineNumber(), 1);

    // A line of exactly the longest length is read.
    ASSERT_TRUE(reader.Open(dir.Write("edge.mpa", std::string(LineReader::kMaxLineLength - 1, 'y') + "\n")));
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.size(), LineReader::kMaxLineLength - 1);
    EXPECT_FALSE(reader.LineTooLong());
}

}  // namespace
}  // namespace okap
