// The styles and the symbol an import starts with.

#include "datasets/import_styles.h"

#include <gtest/gtest.h>

#include <QColor>
#include <set>
#include <sstream>

#include "datasets/import_symbol.h"
#include "styles/symbol.h"

namespace okap {
namespace {

// Every type a format can hold has fills and lines of its own, and an area
// is outlined darker than it is filled.
TEST(ImportStylesTest, EveryTypeHasItsOwnColours) {
    std::set<uint32_t> fills, lines;
    for (size_t i = 0; i < 100; ++i) {
        const PlotStyle area = ImportedTypeStyle(i, true);
        const PlotStyle line = ImportedTypeStyle(i, false);
        EXPECT_EQ(area.plot, 1);
        EXPECT_EQ(area.fillPattern, kFillSolid);
        EXPECT_LT(area.lineColour.Red() + area.lineColour.Green() + area.lineColour.Blue(),
                  area.fillColour.Red() + area.fillColour.Green() + area.fillColour.Blue())
            << i;
        fills.insert(area.fillColour.value);
        // No fill is a blue, which reads as water.
        const int hue = QColor(area.fillColour.Red(), area.fillColour.Green(), area.fillColour.Blue()).hslHue();
        EXPECT_FALSE(hue >= 175 && hue < 250) << i << ": hue " << hue;
        lines.insert(line.lineColour.value);
    }
    EXPECT_EQ(fills.size(), 100u);
    EXPECT_EQ(lines.size(), 100u);
    // The ramp of the data classes runs from light to dark.
    EXPECT_EQ(DataClassFill(0, 5), Colour::Rgb(250, 204, 160));
    EXPECT_EQ(DataClassFill(4, 5), Colour::Rgb(150, 20, 30));
    EXPECT_EQ(DataClassFill(1, 3), Colour::Rgb(226, 98, 62));
}

// The names of the valid entries of a library, as its readers see them.
std::vector<std::string> Names(const std::string& library) {
    std::istringstream text(library);
    std::vector<std::string> names;
    Symbol entry;
    while (text >> entry, entry.valid) names.push_back(entry.name);
    return names;
}

std::string Entry(const std::string& name) { return "symbol  = " + name + "\r\npoints  = 2\r\n0 0\r\n1 1\r\n"; }

// The library is made, used or added to, and never loses an entry.
TEST(ImportSymbolTest, TheCircleIsThereAndTheUsersEntriesStay) {
    const ImportSymbol none = ChooseImportSymbol(std::nullopt);
    EXPECT_EQ(none.name, "circle");
    ASSERT_TRUE(none.library);
    EXPECT_EQ(Names(*none.library), (std::vector<std::string>{"square", "circle"}));
    // The circle of the sample library: 37 points from the top round.
    EXPECT_NE(none.library->find("symbol  = circle\r\npoints  = 37\r\n0 100\r\n-17 98\r\n-34 94\r\n"), std::string::npos);

    const ImportSymbol has = ChooseImportSymbol(Entry("star") + Entry("circle"));
    EXPECT_EQ(has.name, "circle");
    EXPECT_FALSE(has.library);

    // Added after the entries that are read, before what ends the reading.
    const std::string broken = Entry("star") + "symbol  = torn\r\npoints  = x\r\n" + Entry("hidden");
    const ImportSymbol added = ChooseImportSymbol(broken);
    EXPECT_EQ(added.name, "circle");
    ASSERT_TRUE(added.library);
    EXPECT_EQ(Names(*added.library), (std::vector<std::string>{"star", "circle"}));
    EXPECT_EQ(added.library->substr(0, Entry("star").size()), Entry("star"));
    EXPECT_EQ(added.library->substr(added.library->size() - (broken.size() - Entry("star").size())),
              broken.substr(Entry("star").size()));

    std::string full;
    for (int i = 0; i < 49; ++i) full += Entry("s" + std::to_string(i));
    // Room for one more: the dialogs list 50.
    EXPECT_EQ(Names(*ChooseImportSymbol(full).library).size(), 50u);
    // A full library stays as it is: its square, else its first entry.
    full += Entry("square");
    EXPECT_EQ(ChooseImportSymbol(full).name, "square");
    EXPECT_FALSE(ChooseImportSymbol(full).library);
    full.replace(full.rfind("square"), 6, "sq");
    EXPECT_EQ(ChooseImportSymbol(full).name, "s0");
}

}  // namespace
}  // namespace okap
