#include "data/details.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/globals.h"
#include "platform/message_box.h"

namespace okap {
namespace {

class DetailTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
};

// The first detail of a document: "New Text" at 0.50 0.05 in the default
// text style, whose form is 1 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2
// and a blank.
const std::string kFirst = "Text \"New Text\" 0.50 0.05 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ";

DetailTable Table(std::vector<std::string> strings) {
    DetailTable table;
    for (size_t i = 0; i < strings.size(); ++i) table[i] = strings[i];
    return table;
}

TEST_F(DetailTest, FirstNewDetailIsNewTextNearTheTop) {
    DetailTable details;
    int count = 0;
    EXPECT_EQ(NewDetail(details, count, -1), 0);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(details[0], kFirst);
    EXPECT_EQ(details[0], MakeDetail("New Text", "0.50 0.05", TextStyle()));
    EXPECT_EQ(DetailListEntry(details[0]), "Text \"New Text\"");

    // The editor shows the position as read back, in general notation.
    TextStyle scratch;
    scratch.on = 0;
    const DetailStyleDialogTB values = DetailStyleDialogValues(details[0], scratch);
    EXPECT_EQ(values, (DetailStyleDialogTB{"Text", "New Text", "0.5 0.05 ", 1}));
    EXPECT_EQ(scratch.on, 1);  // the scratch style takes the detail's style
    EXPECT_EQ(scratch.colour, Colour::Rgb(128, 128, 128));
}

// The kind word says what a detail draws; the text follows it as it
// follows "Text", so every kind reads alike.
TEST_F(DetailTest, KindsAreReadFromTheLeadingWord) {
    const std::string style = " 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 ";
    struct Row {
        std::string detail;
        DetailKind kind;
        std::string word, text;
    } rows[] = {
        {"Text \"Title\" 0.5 0.05" + style, DetailKind::Text, "Text", "Title"},
        {"Scale \"km\" 0.5 0.93" + style, DetailKind::ScaleBar, "Scale", "km"},
        {"North \"N\" 0.94 0.1" + style, DetailKind::NorthArrow, "North", "N"},
        {"Compass \"rose\" 0.1 0.1" + style, DetailKind::Other, "Compass", "rose"},
        {"Textual \"x\" 0.1 0.1" + style, DetailKind::Other, "Textual", "x"},
        {"Text\"glued\" 0.1 0.1" + style, DetailKind::Text, "Text", "lued"},  // six characters skipped, as ever
    };
    for (const Row& r : rows) {
        EXPECT_EQ(KindOfDetail(r.detail), r.kind) << r.detail;
        EXPECT_EQ(DetailKindWord(r.detail), r.word) << r.detail;
        std::string text;
        double x = 0, y = 0;
        TextStyle read;
        ReadDetail(r.detail, text, x, y, read);
        EXPECT_EQ(text, r.text) << r.detail;
    }
    // Made and read back through the editor's values, a kind keeps its word.
    TextStyle scratch;
    const std::string bar = MakeDetail("mi", "0.2 0.9", TextStyle(), KindWord(DetailKind::ScaleBar));
    EXPECT_EQ(bar, "Scale \"mi\" 0.2 0.9 1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ");
    EXPECT_EQ(DetailListEntry(bar), "Scale \"mi\"");
    const DetailStyleDialogTB values = DetailStyleDialogValues(bar, scratch);
    EXPECT_EQ(values, (DetailStyleDialogTB{"Scale", "mi", "0.2 0.9 ", 1}));
    EXPECT_EQ(ApplyDetailStyleDialogValues(values, scratch), "Scale \"mi\" 0.2 0.9  1 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ");
}

TEST_F(DetailTest, ReadingTakesTheTextToTheNextQuote) {
    struct Row {
        std::string detail;
        std::string text;
        int ok;
        double x, y;  // 9 where nothing was read
    } rows[] = {
        {kFirst, "New Text", 1, 0.5, 0.05},
        {"Text \"Source: survey\" 1 1 0 \"Times New Roman\" 0 0 0 0 1 0.5 45 0 0.5 700 1 0", "Source: survey", 1, 1, 1},
        // A quote inside the text ends it; what follows is read as numbers.
        {"Text \"say \"hi\" 0.5 0.5 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 ", "say ", 0, 9, 9},
        {"Text \"no end 0.5 0.5", "no end 0.5 0.5", 0, 9, 9},
        {"Text \"", "", 0, 9, 9},
        {"Text \"t\" 0.25", "t", 0, 0.25, 9},
        {"Note \"other kinds read alike\" 0.1 0.2 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 ",
         "other kinds read alike", 1, 0.1, 0.2},
    };
    for (const Row& r : rows) {
        std::string text = "unset";
        double x = 9, y = 9;
        TextStyle style;
        EXPECT_EQ(ReadDetail(r.detail, text, x, y, style), r.ok) << r.detail;
        EXPECT_EQ(text, r.text) << r.detail;
        EXPECT_EQ(x, r.x) << r.detail;
        EXPECT_EQ(y, r.y) << r.detail;
    }
    std::string text;
    double x = 0, y = 0;
    TextStyle style;
    ASSERT_EQ(ReadDetail(rows[1].detail, text, x, y, style), 1);
    EXPECT_EQ(style.fontName, "Times New Roman");
    EXPECT_EQ(style.weight, 700);
}

TEST_F(DetailTest, ListEntryEndsAtTheClosingQuote) {
    EXPECT_EQ(DetailListEntry(kFirst), "Text \"New Text\"");
    EXPECT_EQ(DetailListEntry("Text \"open"), "Text \"open");
    EXPECT_EQ(DetailListEntry(""), "");
}

TEST_F(DetailTest, NewDuplicatesTheDetailUnderTheCaret) {
    DetailTable details = Table({"Text \"a\"", "Text \"b\"", "Text \"c\""});
    int count = 3;
    EXPECT_EQ(NewDetail(details, count, 1), 2);  // the copy follows the second and is edited
    EXPECT_EQ(count, 4);
    EXPECT_EQ(details, Table({"Text \"a\"", "Text \"b\"", "Text \"b\"", "Text \"c\""}));

    EXPECT_EQ(NewDetail(details, count, -1), 1);  // no caret: the first entry
    EXPECT_EQ(details, Table({"Text \"a\"", "Text \"a\"", "Text \"b\"", "Text \"b\"", "Text \"c\""}));
    EXPECT_EQ(NewDetail(details, count, 4), 5);  // the last: appended
    EXPECT_EQ(details[5], "Text \"c\"");
}

TEST_F(DetailTest, NewOnAFullTableChangesNothing) {
    DetailTable details;
    for (int i = 0; i < kMaxDetails; ++i) details[i] = "Text \"" + std::to_string(i) + "\"";
    const DetailTable before = details;
    int count = kMaxDetails;
    MessageRecorder recorder;
    EXPECT_EQ(NewDetail(details, count, 3), -1);
    EXPECT_EQ(count, kMaxDetails);
    EXPECT_EQ(details, before);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Sorry - maximum number of details reached");
    EXPECT_EQ(recorder.messages[0].caption, "Error");
}

TEST_F(DetailTest, DeleteRemovesTheDetailUnderTheCaret) {
    DetailTable details = Table({"Text \"a\"", "Text \"b\"", "Text \"c\""});
    int count = 3;
    DeleteDetail(details, count, 1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(details, Table({"Text \"a\"", "Text \"c\""}));
    DeleteDetail(details, count, 7);  // outside the list: the first
    EXPECT_EQ(details, Table({"Text \"c\""}));
    DeleteDetail(details, count, 0);
    EXPECT_EQ(count, 0);
    DeleteDetail(details, count, 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(details, DetailTable());
}

TEST_F(DetailTest, EditTakesTheSelectionOrTheFirst) {
    EXPECT_EQ(DetailToEdit(0, 0), -1);  // no details: nothing
    EXPECT_EQ(DetailToEdit(3, 2), 2);
    EXPECT_EQ(DetailToEdit(3, -1), 0);
}

TEST_F(DetailTest, EditorRebuildsTheDetailWithThePositionAsTyped) {
    TextStyle scratch;
    DetailStyleDialogTB values = DetailStyleDialogValues(kFirst, scratch);
    values.text = "Title";
    values.position = "1 1";  // the bottom-right corner of the view
    values.textOn = 0;        // kept, but not drawn
    const std::string detail = ApplyDetailStyleDialogValues(values, scratch);
    EXPECT_EQ(scratch.on, 0);
    EXPECT_EQ(detail, "Text \"Title\" 1 1 0 \"Arial\" 0 128 128 128 0 12 0 0 0.5 500 0 2 ");
    EXPECT_EQ(DetailListEntry(detail), "Text \"Title\"");

    std::string text;
    double x = 0, y = 0;
    TextStyle style;
    EXPECT_EQ(ReadDetail(detail, text, x, y, style), 1);
    EXPECT_EQ(text, "Title");
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 1.0);
    EXPECT_EQ(style.on, 0);
}

}  // namespace
}  // namespace okap
