// The class operations of the data option dialog: New, Delete, Auto and
// the class edit.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/data/datafile_fixture.h"

namespace okap {
namespace {

class DatafileClasses : public test::DatafileTest {
protected:
    // A Datafile with no format and the data file holding text opened, as
    // the data format dialog's New starts it.
    std::unique_ptr<Datafile> WithData(const std::string& text) {
        WriteDataFile("values.dat", text);
        auto file = MakeFile();
        EXPECT_EQ(file->OpenInfile("values.dat"), 1);
        return file;
    }

    // Classes labelled with the given texts, each a copy of the first.
    std::unique_ptr<Datafile> Labelled(const std::vector<std::string>& labels) {
        auto file = WithData("0 0 0\n0 0 10\n");
        int added = 0;
        for (size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(file->NewClass(static_cast<int>(i) - 1, added), 1);
            DataClassTexts texts = file->ClassTexts(added);
            texts.label = labels[i];
            file->SetClass(added, texts);
        }
        return file;
    }

    static std::vector<std::string> Labels(const Datafile& file) {
        std::vector<std::string> labels;
        for (int i = 0; i < file.ClassCount(); ++i) labels.push_back(file.classes[static_cast<size_t>(i)].label);
        return labels;
    }
};

TEST_F(DatafileClasses, FirstNewSpansTheDataRange) {
    auto file = WithData("151.2 -33.9 12\r\n150 -30 -3.5\r\n149 -35 0\r\n");
    int added = -1;
    ASSERT_EQ(file->NewClass(0, added), 1);
    EXPECT_EQ(added, 0);
    ASSERT_EQ(file->symbolCount, 1);

    const DataClass& first = file->classes[0];
    // The Part's example: data from -3.5 to 12.
    EXPECT_EQ(first.lowValue, -3.5);
    EXPECT_EQ(first.highValue, 12.0);
    EXPECT_EQ(first.label, "-3.5-12");
    // The built-in square, screen-sized 12.
    EXPECT_EQ(first.symbol.name, "square");
    EXPECT_EQ(std::vector<POINT>(first.symbol.Outline().begin(), first.symbol.Outline().end()),
              (std::vector<POINT>{{-98, 98}, {98, 98}, {98, -98}, {-98, -98}, {-98, 98}}));
    EXPECT_EQ(first.symbol.valid, 1);
    EXPECT_EQ(first.symbol.sizeBasis, kSizeScreen);
    EXPECT_EQ(first.symbol.size, 12.0);
    // A black outline filled black, drawn; labels in the default text style.
    EXPECT_EQ(first.plotStyle.plot, 1);
    EXPECT_EQ(first.plotStyle.lineColour, Colour::Rgb(0, 0, 0));
    EXPECT_EQ(first.plotStyle.fillColour, Colour::Rgb(0, 0, 0));
    EXPECT_EQ(first.plotStyle.fillPattern, kFillSolid);
    EXPECT_TRUE(first.plotStyle.pen && first.plotStyle.brush);
    EXPECT_EQ(first.textStyle.on, 1);
    EXPECT_TRUE(first.textStyle.font.has_value());
    EXPECT_EQ(file->unitsPerDegree, 1000);
    EXPECT_EQ(file->widthTenth, 1000);

    // The data file was rewound: the first point is drawn with the new class.
    POINT points[Symbol::kMaxPoints];
    TBox box;
    ASSERT_EQ(file->GetPlot(points, box, 3), 1);
    EXPECT_EQ(file->value, 12.0);
    EXPECT_EQ(file->pointValid, 1);
    EXPECT_EQ(points[0], (POINT{5000 - 58, -3750 + 58}));  // 0.01 x -98 x 60 truncated
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatafileClasses, NewCopiesTheCaretClassAfterIt) {
    auto file = Labelled({"A", "B", "C"});
    file->classes[0].symbol.size = 30.0;
    file->classes[0].highValue = 4.0;
    int added = -1;
    ASSERT_EQ(file->NewClass(0, added), 1);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"A", "A", "B", "C"}));
    const DataClass& copy = file->classes[1];
    EXPECT_EQ(copy.symbol.size, 30.0);
    EXPECT_EQ(copy.highValue, 4.0);
    EXPECT_EQ(copy.plotStyle, file->classes[0].plotStyle);
    EXPECT_EQ(copy.textStyle, file->classes[0].textStyle);

    // At the last class the copy goes to the end.
    ASSERT_EQ(file->NewClass(3, added), 1);
    EXPECT_EQ(added, 4);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"A", "A", "B", "C", "C"}));

    // No class under the caret: nothing is added.
    EXPECT_EQ(file->NewClass(5, added), 0);
    EXPECT_EQ(file->NewClass(-1, added), 0);
    EXPECT_EQ(file->symbolCount, 5);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatafileClasses, FiftyClassesAtMost) {
    auto file = WithData("0 0 1\n");
    int added = 0;
    for (int i = 0; i < kMaxDataClasses; ++i) ASSERT_EQ(file->NewClass(0, added), 1);
    EXPECT_EQ(file->symbolCount, 50);
    EXPECT_TRUE(messages.messages.empty());

    EXPECT_EQ(file->NewClass(0, added), 0);
    EXPECT_EQ(file->symbolCount, 50);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Sorry - maximum number of data symbols reached");
    EXPECT_EQ(messages.messages[0].caption, "Error");
    EXPECT_EQ(badclient, 0);  // a dialog message, not a drawing failure

    // Fifty classes are written and read back whole.
    ASSERT_EQ(file->WriteFormat("fifty.okd", OptionTexts(*file)), 1);
    auto read = MakeFile();
    ASSERT_EQ(read->ReadFormat("fifty.okd"), 1);
    EXPECT_EQ(read->symbolCount, 50);
}

TEST_F(DatafileClasses, DeleteRemovesTheCaretClass) {
    auto file = Labelled({"A", "B", "C"});
    EXPECT_EQ(file->DeleteClass(1), 1);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(file->DeleteClass(2), 0);
    EXPECT_EQ(file->DeleteClass(-1), 0);
    EXPECT_EQ(file->DeleteClass(1), 1);
    EXPECT_EQ(file->DeleteClass(0), 1);
    EXPECT_EQ(file->symbolCount, 0);
    EXPECT_EQ(file->DeleteClass(0), 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatafileClasses, AutoSplitsTheRangeIntoEqualSteps) {
    auto file = Labelled({"A", "B", "C", "D"});
    file->classes[2].symbol.size = 30.0;
    file->classes[3].plotStyle.plot = 0;
    ASSERT_EQ(file->AutoClasses(), 1);
    // The Part's example: 4 classes over 0 to 10, steps of 2.5.
    const double expected[][2] = {{0, 2.5}, {2.5, 5}, {5, 7.5}, {7.5, 10}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(file->classes[i].lowValue, expected[i][0]) << i;
        EXPECT_EQ(file->classes[i].highValue, expected[i][1]) << i;
    }
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"0-2.5", "2.5-5", "5-7.5", "7.5-10"}));
    EXPECT_EQ(file->classes[2].symbol.size, 30.0);  // symbols and styles stay
    EXPECT_EQ(file->classes[3].plotStyle.plot, 0);

    // Thirds do not add up exactly: each class starts where the last ended
    // and the last ends at the maximum itself.
    ASSERT_EQ(file->DeleteClass(3), 1);
    ASSERT_EQ(file->AutoClasses(), 1);
    EXPECT_EQ(file->classes[0].lowValue, 0.0);
    EXPECT_EQ(file->classes[1].lowValue, file->classes[0].highValue);
    EXPECT_EQ(file->classes[2].lowValue, file->classes[1].highValue);
    EXPECT_EQ(file->classes[2].highValue, 10.0);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"0-3.33333", "3.33333-6.66667", "6.66667-10"}));

    auto none = WithData("0 0 1\n");
    EXPECT_EQ(none->AutoClasses(), 0);
    EXPECT_TRUE(messages.messages.empty());
}

// Auto with a class count and a method: classes copied from the last or
// removed from the end, the values split by the method, which the format
// keeps; the file written says so.
TEST_F(DatafileClasses, AutoWithCountAndMethod) {
    auto file = WithData("0 0 12\n0 0 1\n0 0 2\n0 0 4\n0 0 10\n0 0 11\n0 0 100\n");
    int added = 0;
    ASSERT_EQ(file->NewClass(0, added), 1);
    ASSERT_EQ(file->NewClass(0, added), 1);
    file->classes[1].symbol.size = 30.0;
    file->classes[1].plotStyle.plot = 0;

    file->classMethod = ClassMethod::NaturalBreaks;
    ASSERT_EQ(file->AutoClasses(3), 1);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"1-10", "10-100", "100-100"}));
    EXPECT_EQ(file->classes[0].symbol.size, 12.0);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(file->classes[i].symbol.size, 30.0) << i;
        EXPECT_EQ(file->classes[i].plotStyle.plot, 0) << i;
    }

    file->classMethod = ClassMethod::Quantiles;
    ASSERT_EQ(file->AutoClasses(2), 1);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"1-11", "11-100"}));
    EXPECT_EQ(file->classes[2].label, "");  // removed from the end

    ASSERT_EQ(file->WriteFormat("quantiles.okd", OptionTexts(*file)), 1);
    auto read = MakeFile();
    ASSERT_EQ(read->ReadFormat("quantiles.okd"), 1);
    EXPECT_EQ(read->classMethod, ClassMethod::Quantiles);
    EXPECT_EQ(read->classes[1].highValue, 100.0);

    // Without any class, Auto makes the first as New does and copies it.
    auto fresh = WithData("0 0 5\n0 0 1\n0 0 3\n");
    ASSERT_EQ(fresh->AutoClasses(3), 1);
    EXPECT_EQ(Labels(*fresh), (std::vector<std::string>{"1-2.33333", "2.33333-3.66667", "3.66667-5"}));
    EXPECT_EQ(fresh->classes[2].symbol.name, "square");

    // A data file without a value changes nothing.
    auto empty = WithData("");
    EXPECT_EQ(empty->AutoClasses(3), 0);
    EXPECT_EQ(empty->symbolCount, 0);
    ASSERT_EQ(file->DeleteClass(1), 1);
    WriteDataFile("values.dat", "no numbers\n");
    ASSERT_EQ(file->OpenInfile("values.dat"), 1);
    EXPECT_EQ(file->AutoClasses(3), 0);
    EXPECT_EQ(Labels(*file), (std::vector<std::string>{"1-11"}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DatafileClasses, EditOneClass) {
    auto file = WithData("0 0 -3.5\n0 0 1234564.5\n");
    int added = 0;
    ASSERT_EQ(file->NewClass(0, added), 1);
    const DataClassTexts start = file->ClassTexts(0);
    EXPECT_EQ(start.low, "-3.5");
    EXPECT_EQ(start.high, "1.23456e+06");  // general notation, 6 digits
    EXPECT_EQ(start.symbolOn, 1);
    EXPECT_EQ(start.labelOn, 1);
    EXPECT_EQ(start.label, "-3.5-1.23456e+06");

    // Confirming the texts as shown keeps the exact bounds: cut to 6 digits
    // the maximum's point would fall outside the class.
    file->SetClass(0, start);
    EXPECT_EQ(file->classes[0].highValue, 1234564.5);

    struct Row {
        const char* low;
        const char* high;
        double lowValue, highValue;
    } rows[] = {
        {"1.5e1abc", " 20", 15.0, 20.0},  // the leading number, as "%lf" reads it
        {"abc", "inf", 15.0, 20.0},       // no finite number: unchanged
        {"-1", "1e3", -1.0, 1000.0},
    };
    for (const Row& row : rows) {
        file->SetClass(0, {row.low, row.high, 0, 0, "edited"});
        EXPECT_EQ(file->classes[0].lowValue, row.lowValue) << row.low;
        EXPECT_EQ(file->classes[0].highValue, row.highValue) << row.high;
    }
    EXPECT_EQ(file->classes[0].plotStyle.plot, 0);
    EXPECT_EQ(file->classes[0].textStyle.on, 0);
    EXPECT_EQ(file->classes[0].label, "edited");
}

}  // namespace
}  // namespace okap
