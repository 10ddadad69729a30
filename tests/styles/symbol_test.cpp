#include "styles/symbol.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "styles/symbol_library.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using test::TempDir;

const char kTriangle[] = "symbol  = triangle\npoints  = 4\n0 100\n87 -50\n-87 -50\n0 100\n";

std::vector<POINT> Points(const Symbol& symbol) { return {symbol.Outline().begin(), symbol.Outline().end()}; }

Symbol ReadOne(const std::string& text) {
    std::istringstream is(text);
    Symbol symbol;
    is >> symbol;
    return symbol;
}

// An entry of count points (i, -i).
std::string Entry(const std::string& name, int count) {
    std::string text = "symbol  = " + name + "\r\npoints  = " + std::to_string(count) + "\r\n";
    for (int i = 0; i < count; ++i) text += std::to_string(i) + " " + std::to_string(-i) + "\r\n";
    return text;
}

TEST(SymbolEntry, TriangleReadsAsFourPointOutline) {
    const Symbol symbol = ReadOne(kTriangle);  // the library's own example
    EXPECT_EQ(symbol.valid, 1);
    EXPECT_EQ(symbol.name, "triangle");
    EXPECT_EQ(Points(symbol), (std::vector<POINT>{{0, 100}, {87, -50}, {-87, -50}, {0, 100}}));
}

TEST(SymbolEntry, Validity) {
    struct Row {
        const char* note;
        std::string text;
        int32_t valid;
        int32_t pointCount;
    } rows[] = {
        {"CR LF lines", "symbol  = triangle\r\npoints  = 4\r\n0 100\r\n87 -50\r\n-87 -50\r\n0 100\r\n", 1, 4},
        {"other key text", "name=square\ncount = 1\n  -98\t98  \n", 1, 1},
        {"no points", "symbol = dot\npoints = 0\n", 1, 0},
        {"100 points", Entry("full", 100), 1, 100},
        {"last line without a line break", "symbol = t\npoints = 2\n0 100\n87 -50", 0, 2},
        {"file ends inside the entry", "symbol = t\npoints = 3\n0 100\n87 -50\n", 0, 2},
        {"101 points: more than the record holds", Entry("big", 101), 0, 0},
        {"negative count", "symbol = t\npoints = -1\n0 0\n", 0, 0},
        {"count not a number", "symbol = t\npoints = four\n0 0\n", 0, 0},
        {"count with text after it, read as a stream", "symbol = t\npoints = 1.5\n0 0\n", 1, 1},
        {"y not a number", "symbol = t\npoints = 2\n0 100\n87 y\n1 1\n", 0, 1},
        {"one number on a point line", "symbol = t\npoints = 2\n0 100\n87\n1 1\n", 0, 1},
        {"empty stream", "", 0, 0},
    };
    for (const Row& r : rows) {
        const Symbol symbol = ReadOne(r.text);
        EXPECT_EQ(symbol.valid, r.valid) << r.note;
        EXPECT_EQ(symbol.pointCount, r.pointCount) << r.note;
    }
    EXPECT_EQ(ReadOne(Entry("full", 100)).points[99], (POINT{99, -99}));
    EXPECT_EQ(ReadOne("symbol = big square \npoints = 0\n").name, "big square");
}

TEST(SymbolEntry, EntriesFollowOneAnother) {
    std::istringstream is(Entry("a", 2) + kTriangle);
    Symbol symbol;
    symbol.sizeBasis = 1;
    symbol.size = 2.5;
    is >> symbol;
    EXPECT_EQ(symbol.name, "a");
    is >> symbol;
    EXPECT_EQ(symbol.name, "triangle");
    EXPECT_EQ(symbol.valid, 1);
    EXPECT_EQ(symbol.size, 2.5);  // not part of an entry
    is >> symbol;
    EXPECT_EQ(symbol.valid, 0);  // the end of the file reads as an entry that is not valid
}

// -------------------------------------------------------------- the library

class SymbolLibraryTest : public ::testing::Test {
protected:
    std::string Dir() const { return dir.Path().string(); }
    void WriteLibrary(const std::string& text) const { dir.Write("okap.sym", text); }

    TempDir dir;
    MessageRecorder messages;
};

std::string Entries(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += Entry("s" + std::to_string(i), 1);
    return text;
}

TEST_F(SymbolLibraryTest, NamesInFileOrderUpToTheFirstBadEntry) {
    WriteLibrary(Entry("square", 5) + kTriangle + Entry("big square", 1) + "symbol = bad\npoints = x\n" +
                 Entry("never seen", 1));
    std::vector<std::string> names;
    EXPECT_EQ(ReadSymbolNames(Dir() + "  ", names), 1);  // trailing blanks of the configured path are dropped
    EXPECT_EQ(names, (std::vector<std::string>{"square", "triangle", "big square"}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SymbolLibraryTest, FiftyNamesAtMost) {
    std::vector<std::string> names;
    WriteLibrary(Entries(50));
    EXPECT_EQ(ReadSymbolNames(Dir(), names), 1);
    EXPECT_EQ(names.size(), 50u);

    WriteLibrary(Entries(51));
    EXPECT_EQ(ReadSymbolNames(Dir(), names), 0);
    EXPECT_EQ(messages.messages, (std::vector<Message>{{"Too many symbols in okap.sym", "Error", MessageButtons::Ok,
                                                        MessageIcon::Stop}}));
    ASSERT_EQ(names.size(), 50u);  // the dialog still lists the first 50
    EXPECT_EQ(names.back(), "s50");
}

TEST_F(SymbolLibraryTest, ReadersReportAMissingDirectoryOrFile) {
    std::vector<std::string> names;
    Symbol symbol;
    const std::string missing = (dir / "absent").string();
    EXPECT_EQ(ReadSymbolNames(missing, names), 0);
    EXPECT_EQ(ReadSymbolOutline(missing, "square", symbol), 0);
    EXPECT_EQ(LookUpSymbols(missing, std::span<Symbol>(&symbol, 1)), 0);
    EXPECT_EQ(ReadSymbolNames(Dir(), names), 0);  // no okap.sym in it
    EXPECT_EQ(ReadSymbolOutline(Dir(), "square", symbol), 0);
    EXPECT_EQ(LookUpSymbols(Dir(), std::span<Symbol>(&symbol, 1)), 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                    "Map file path does not exist", "Map file path does not exist",
                                    "Data file path does not exist",  // the data format reader's own text
                                    "Error opening okap.sym", "Error opening okap.sym", "Error opening okap.sym"}));
    for (const Message& m : messages.messages) EXPECT_EQ(m.caption, "Error");
}

TEST_F(SymbolLibraryTest, OutlineByNameKeepsTheSizeAndTakesTheLastOfEqualNames) {
    WriteLibrary(Entry("square", 2) + kTriangle + Entry("square", 3));
    Symbol symbol;
    symbol.name = "old";
    symbol.sizeBasis = 1;
    symbol.size = 0.75;
    EXPECT_EQ(ReadSymbolOutline(Dir(), "square", symbol), 1);
    EXPECT_EQ(symbol.name, "square");
    EXPECT_EQ(Points(symbol), (std::vector<POINT>{{0, 0}, {1, -1}, {2, -2}}));
    EXPECT_EQ(symbol.valid, 1);
    EXPECT_EQ(symbol.sizeBasis, 1);
    EXPECT_EQ(symbol.size, 0.75);

    EXPECT_EQ(ReadSymbolOutline(Dir(), "Square", symbol), 1);  // case counts: not found, nothing changes
    EXPECT_EQ(symbol.name, "square");
    EXPECT_EQ(symbol.pointCount, 3);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SymbolLibraryTest, OutlineByNameRefusesALibraryOfMoreThanFifty) {
    WriteLibrary(Entry("first", 2) + Entries(49));  // exactly 50: every name can be chosen
    Symbol symbol;
    EXPECT_EQ(ReadSymbolOutline(Dir(), "s49", symbol), 1);
    EXPECT_EQ(symbol.name, "s49");

    WriteLibrary(Entry("first", 2) + Entries(50));
    Symbol untouched;
    EXPECT_EQ(ReadSymbolOutline(Dir(), "first", untouched), 0);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Too many symbols in okap.sym"}));
    EXPECT_EQ(untouched.name, "");  // found among the first 50, but the choice is abandoned whole
    EXPECT_EQ(untouched.valid, 0);
}

TEST_F(SymbolLibraryTest, LookUpGivesEverySymbolItsOutline) {
    WriteLibrary(Entry("square", 5) + kTriangle + Entries(60));  // no limit of 50 here
    std::vector<Symbol> symbols(3);
    symbols[0].name = "triangle";
    symbols[1].name = "s60";
    symbols[2].name = "triangle";
    symbols[2].size = 12.0;
    EXPECT_EQ(LookUpSymbols(Dir(), symbols), 1);
    EXPECT_EQ(Points(symbols[0]), (std::vector<POINT>{{0, 100}, {87, -50}, {-87, -50}, {0, 100}}));
    EXPECT_EQ(Points(symbols[1]), (std::vector<POINT>{{0, 0}}));
    EXPECT_EQ(symbols[2].pointCount, 4);
    EXPECT_EQ(symbols[2].size, 12.0);
    for (const Symbol& s : symbols) EXPECT_EQ(s.valid, 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SymbolLibraryTest, LookUpNamesTheFirstSymbolNotFound) {
    // The library's own example: the triangle entry ends the file without a
    // line break, so it never counts.
    WriteLibrary(Entry("square", 5) + "symbol  = triangle\npoints  = 4\n0 100\n87 -50\n-87 -50\n0 100");
    std::vector<Symbol> symbols(3);
    symbols[0].name = "square";
    symbols[1].name = "triangle";
    symbols[2].name = "star";
    symbols[1].valid = 1;  // left over from an earlier look-up
    EXPECT_EQ(LookUpSymbols(Dir(), symbols), 0);
    EXPECT_EQ(messages.messages, (std::vector<Message>{{"Could not find symbol triangle in okap.sym", "Error",
                                                        MessageButtons::Ok, MessageIcon::Stop}}));
    EXPECT_EQ(symbols[0].valid, 1);
    EXPECT_EQ(symbols[1].valid, 0);
}

}  // namespace
}  // namespace okap
