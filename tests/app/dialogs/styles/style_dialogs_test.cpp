// The style editors: the plot, text and symbol style dialogs, their colour
// choosers and the texts of their fields.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/dialogs/styles/colour_chooser.h"
#include "app/controls/colour_swatch.h"
#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/dialogs/styles/plot_style_dialog.h"
#include "app/controls/style_list_box.h"
#include "app/dialogs/styles/symbol_style_dialog.h"
#include "app/dialogs/styles/text_style_dialog.h"
#include "core/globals.h"
#include "platform/font_match.h"
#include "platform/message_box.h"
#include "styles/symbol.h"
#include "styles/text_style.h"
#include "support/temp_dir.h"

namespace okap {
namespace {

using Script = std::function<int(QDialog&)>;

template <class T>
T* Child(QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(name);
    if (child == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return child;
}

void SetText(QDialog& dialog, const char* name, const char* text) { Child<QLineEdit>(dialog, name)->setText(text); }

std::string TextIn(QDialog& dialog, const char* name) { return Child<QLineEdit>(dialog, name)->text().toStdString(); }

// Selects the entry showing entry, or, in the font list, naming it.
void Select(QDialog& dialog, const char* list, const char* entry) {
    QListWidget* widget = Child<QListWidget>(dialog, list);
    for (int row = 0; row < widget->count(); ++row) {
        QListWidgetItem* item = widget->item(row);
        if (item->text() == entry || item->data(Qt::UserRole).toString() == entry) {
            widget->setCurrentItem(item);
            return;
        }
    }
    throw std::runtime_error(std::string("no entry ") + entry);
}

Message ErrorMessage(const std::string& text) { return {text, "Error", MessageButtons::Ok, MessageIcon::Stop}; }

void Check(QDialog& dialog, const char* radio) { Child<QRadioButton>(dialog, radio)->setChecked(true); }

// Presses OK (the dialog checks its fields first) or Cancel.
int Press(QDialog& dialog, bool ok) {
    if (ok) {
        dialog.accept();
    } else {
        dialog.reject();
    }
    return dialog.result();
}

class StyleDialogTest : public testing::Test {
protected:
    StyleDialogTest() {
        previousRunner = SetModalDialogRunner([this](QDialog& dialog) {
            ++dialogsRun;
            return script ? script(dialog) : int(QDialog::Rejected);
        });
        // The tables live for the run; each test starts from new ones.
        LineColourTable() = CustomColours();
        FillColourTable() = CustomColours();
        TextColourTable() = CustomColours();
    }
    ~StyleDialogTest() override { SetModalDialogRunner(previousRunner); }

    Script script;
    int dialogsRun = 0;
    MessageRecorder messages;

private:
    ModalDialogRunner previousRunner;
};

// The colour chooser picks colour and presses OK; any other dialog goes to
// then.
Script ChoosingColour(QColor colour, Script then) {
    return [colour, then](QDialog& dialog) {
        if (auto* chooser = qobject_cast<QColorDialog*>(&dialog)) {
            chooser->setCurrentColor(colour);
            return Press(*chooser, true);
        }
        return then(dialog);
    };
}

TEST(DialogFields, StartingValuesAreShownWholeAndTypingIsLimited) {
    // A detail position read from a document can be longer than the 19
    // characters a user may type: cut, "-0.000123457 -0.000" would read as
    // a wrong but valid y and be saved silently.
    QWidget parent;
    QLineEdit* longValue = FieldEdit("-0.000123457 -0.000123457", 19, "position", &parent);
    EXPECT_EQ(longValue->text().toStdString(), "-0.000123457 -0.000123457");
    QLineEdit* typed = FieldEdit("", 5, "weight", &parent);
    QTest::keyClicks(typed, "1234567");
    EXPECT_EQ(typed->text().toStdString(), "12345");
}

TEST(DialogFields, ColourTexts) {
    // Each component right-aligned in 3 characters, one blank between.
    EXPECT_EQ(ColourText(Colour::Rgb(0, 0, 0)), "  0   0   0");
    EXPECT_EQ(ColourText(Colour::Rgb(255, 0, 0)), "255   0   0");
    EXPECT_EQ(ColourText(Colour::Rgb(1, 16, 240)), "  1  16 240");

    struct Row {
        const char* text;
        std::optional<Colour> colour;
    };
    const Row rows[] = {
        {"255   0   0", Colour::Rgb(255, 0, 0)},
        {" 12 34 56 ", Colour::Rgb(12, 34, 56)},
        // Combined as the style files combine them: green 256 spills into
        // the blue byte (256 << 8 = 0x10000).
        {"0 256 0", Colour{0x010000}},
        {"1 2", std::nullopt},
        {"1 2 3 4", std::nullopt},
        {"1 2 x", std::nullopt},
        {"1.5 2 3", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(ReadColourText(row.text), row.colour) << '"' << row.text << '"';
}

class PlotStyleDialogTest : public StyleDialogTest {
protected:
    PlotStyleDialogTest() : list(nullptr, styles, 28000) {
        for (PlotStyle& style : styles) style.Reset();
        for (const char* entry : {"  1 Coast", "  2 River", "  3 Road"}) list.addItem(entry);
    }

    std::vector<PlotStyle> styles = std::vector<PlotStyle>(3);
    TXStyleListBox list;
};

TEST_F(PlotStyleDialogTest, ListsShowUnknownValuesAsSolid) {
    struct Row {
        int32_t lineType;
        int32_t fillPattern;
        const char* lineShown;
        const char* fillShown;
        int32_t lineStored;  // after OK with the lists as shown
        int32_t fillStored;
    };
    const Row rows[] = {
        {0, kFillSolid, "Solid", "Solid", 0, kFillSolid},
        {4, kFillNull, "DashDotDot", "Null", 4, kFillNull},
        {6, 2, "InsideFrame", "FDiagonal", 6, 2},
        {2, 0, "Dot", "Horizontal", 2, 0},
        // Values the lists do not hold open as "Solid" and are stored as such.
        {7, 7, "Solid", "Solid", 0, kFillSolid},
        {-1, -1, "Solid", "Solid", 0, kFillSolid},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fillPattern);
        PlotStyle style;
        style.lineType = row.lineType;
        style.fillPattern = row.fillPattern;
        PlotStyleDialog dialog(PlotStyleDialogValues(style, 1, "x"), nullptr);
        EXPECT_EQ(Child<QListWidget>(dialog, "lineType")->currentItem()->text(), row.lineShown);
        EXPECT_EQ(Child<QListWidget>(dialog, "fillPattern")->currentItem()->text(), row.fillShown);
        ApplyPlotStyleDialog(dialog.Values(), style);
        EXPECT_EQ(style.lineType, row.lineStored);
        EXPECT_EQ(style.fillPattern, row.fillStored);
    }
}

TEST_F(PlotStyleDialogTest, EditsTheStyleOfTheEntryUnderTheCaret) {
    list.setCurrentRow(2);  // "  3 Road": style index 2
    list.item(2)->setSelected(true);
    const PlotStyle before = styles[2];
    PlotStyleDialogTB shown;
    std::string colourAfterChoosing;
    PlotStyle styleWhileOpen;
    script = ChoosingColour(Qt::red, [&](QDialog& dialog) {
        shown = dynamic_cast<PlotStyleDialog&>(dialog).Values();
        SetText(dialog, "name", "Main road");
        Child<QPushButton>(dialog, "lineColourButton")->click();
        colourAfterChoosing = TextIn(dialog, "lineColour");
        styleWhileOpen = styles[2];
        SetText(dialog, "thickness", "3");
        Select(dialog, "lineType", "Dash");
        Select(dialog, "fillPattern", "Cross");
        Check(dialog, "plotOff");
        return Press(dialog, true);
    });
    SetPlotStyle(nullptr, list);

    // The fields as Reset left style 3 ("Plot style" texts).
    EXPECT_EQ(shown, (PlotStyleDialogTB{"Road", "3", "  0   0   0", "  1", "Solid", "255 255 255", "Solid", true}));
    EXPECT_EQ(colourAfterChoosing, "255   0   0");
    EXPECT_EQ(styleWhileOpen, before) << "the style changes only on OK";
    EXPECT_EQ(dialogsRun, 2);  // the style dialog and the colour chooser
    EXPECT_EQ(list.item(2)->text(), "  3 Main road");
    EXPECT_TRUE(list.item(2)->isSelected()) << "a plotted feature stays marked";
    EXPECT_EQ(list.currentRow(), 2);

    const PlotStyle& edited = styles[2];
    EXPECT_EQ(edited.lineColour, Colour::Rgb(255, 0, 0));
    EXPECT_EQ(edited.lineWidth, 3);
    EXPECT_EQ(edited.lineType, 1);
    EXPECT_EQ(edited.fillPattern, 4);
    EXPECT_EQ(edited.plot, 0);
    ASSERT_TRUE(edited.pen && edited.brush);
    EXPECT_EQ(*edited.pen, (Pen{Colour::Rgb(255, 0, 0), 3, PenStyle::Dash}));  // pixwid 1
    EXPECT_EQ(*edited.brush, Brush::Hatched(Colour::Rgb(255, 255, 255), HatchStyle::Cross));
    PlotStyle untouched;
    untouched.Reset();
    EXPECT_EQ(styles[0], untouched);
    EXPECT_EQ(styles[1], untouched);
}

TEST_F(PlotStyleDialogTest, CancelOrNoEntryChangesNothing) {
    const std::vector<PlotStyle> before = styles;
    list.setCurrentRow(1);
    script = ChoosingColour(Qt::red, [](QDialog& dialog) {
        SetText(dialog, "name", "Canal");
        Child<QPushButton>(dialog, "fillColourButton")->click();
        SetText(dialog, "thickness", "9");
        return Press(dialog, false);
    });
    SetPlotStyle(nullptr, list);
    EXPECT_EQ(dialogsRun, 2);
    EXPECT_EQ(styles, before);
    EXPECT_EQ(list.item(1)->text(), "  2 River");

    // No entry under the caret, or an entry whose number names no style.
    list.setCurrentRow(-1);
    SetPlotStyle(nullptr, list);
    list.addItem("  4 Beyond");
    list.setCurrentRow(3);
    SetPlotStyle(nullptr, list);
    EXPECT_EQ(dialogsRun, 2);
}

TEST_F(PlotStyleDialogTest, FieldsThatAreNotNumbersAreRefusedAtOk) {
    struct Row {
        const char* field;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"lineColour", "255 0", "The line colour must be three whole numbers: red, green and blue."},
        {"thickness", "thick", "The thickness must be a whole number from 0 up."},
        {"thickness", "-1", "The thickness must be a whole number from 0 up."},
        {"fillColour", "red", "The fill colour must be three whole numbers: red, green and blue."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        PlotStyle style;
        style.Reset();
        PlotStyleDialog dialog(PlotStyleDialogValues(style, 1, "x"), nullptr);
        SetText(dialog, row.field, row.text);
        messages.messages.clear();
        EXPECT_EQ(Press(dialog, true), QDialog::Rejected) << "the dialog stays open";
        EXPECT_EQ(messages.messages, std::vector<Message>{ErrorMessage(row.message)});
        // Stored anyway (a script that closes the dialog without OK's
        // check), the field keeps the style's old value.
        PlotStyle stored = style;
        ApplyPlotStyleDialog(dialog.Values(), stored);
        EXPECT_EQ(stored, style);
    }
}

TEST_F(StyleDialogTest, EachColourFieldHasASwatchThatFollowsItsText) {
    PlotStyle style;
    style.Reset();
    style.lineColour = Colour::Rgb(10, 20, 30);
    PlotStyleDialog plotDialog(PlotStyleDialogValues(style, 1, "x"), nullptr);
    TextStyleDialog textDialog(TextStyleDialogValues(TextStyle()), nullptr);
    const struct {
        QDialog* dialog;
        const char* field;
        Colour opened;
    } fields[] = {{&plotDialog, "lineColour", Colour::Rgb(10, 20, 30)},
                  {&plotDialog, "fillColour", Colour::Rgb(255, 255, 255)},
                  {&textDialog, "colour", Colour::Rgb(128, 128, 128)}};
    for (const auto& field : fields) {
        SCOPED_TRACE(field.field);
        auto* swatch = Child<ColourSwatch>(*field.dialog, (std::string(field.field) + "Swatch").c_str());
        EXPECT_EQ(swatch->Shown(), field.opened);
        // As it is typed: a colour, then a text that is none.
        SetText(*field.dialog, field.field, "  0 128 255");
        EXPECT_EQ(swatch->Shown(), Colour::Rgb(0, 128, 255));
        QImage drawn = swatch->grab().toImage();
        EXPECT_EQ(QColor(drawn.pixel(drawn.rect().center())), QColor(0, 128, 255));
        SetText(*field.dialog, field.field, "0 128");
        EXPECT_EQ(swatch->Shown(), std::nullopt);
        drawn = swatch->grab().toImage();
        EXPECT_NE(QColor(drawn.pixel(drawn.rect().center())), QColor(0, 128, 255)) << "no colour left behind";
    }
    // The chooser opens at the colour typed.
    QColor opened;
    script = [&](QDialog& dialog) {
        opened = dynamic_cast<QColorDialog&>(dialog).currentColor();
        return Press(dialog, false);
    };
    SetText(plotDialog, "lineColour", "250 10 5");
    plotDialog.HandleLineColour();
    EXPECT_EQ(opened, QColor(250, 10, 5));
    SetText(plotDialog, "lineColour", "not a colour");
    plotDialog.HandleLineColour();
    EXPECT_EQ(opened, QColor(Qt::black)) << "a field that is no colour: black";
}

TEST_F(PlotStyleDialogTest, EachColourButtonKeepsItsOwnCustomColours) {
    // The custom colours and the starting colour each chooser showed.
    std::vector<std::vector<QColor>> seen;
    std::vector<QColor> startColours;
    auto chooser = [&](QColor setFirstCustom) {
        return [&, setFirstCustom](QDialog& dialog) {
            auto& colourDialog = dynamic_cast<QColorDialog&>(dialog);
            startColours.push_back(colourDialog.currentColor());
            std::vector<QColor> customs;
            for (int i = 0; i < 16; ++i) customs.push_back(QColorDialog::customColor(i));
            seen.push_back(customs);
            // What the chooser's "Add to Custom Colors" does.
            QColorDialog::setCustomColor(0, setFirstCustom);
            return Press(colourDialog, false);
        };
    };
    PlotStyle style;
    style.Reset();
    style.lineColour = Colour::Rgb(10, 20, 30);
    style.fillColour = Colour::Rgb(200, 100, 0);
    PlotStyleDialog plotDialog(PlotStyleDialogValues(style, 1, "x"), nullptr);
    TextStyleDialog textDialog(TextStyleDialogValues(TextStyle()), nullptr);  // grey 128

    script = chooser(Qt::red);
    plotDialog.HandleLineColour();
    script = chooser(Qt::green);
    plotDialog.HandleLineColour();
    plotDialog.HandleFillColour();
    textDialog.HandleTextColour();

    std::vector<QColor> greys = {QColor(1, 1, 1)};  // then 16 k for k = 1..15
    for (int k = 1; k < 16; ++k) greys.push_back(QColor(16 * k, 16 * k, 16 * k));
    std::vector<QColor> lineAfterRed = greys;
    lineAfterRed[0] = Qt::red;
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], greys);
    EXPECT_EQ(seen[1], lineAfterRed) << "the line chooser's change is kept for its next call";
    EXPECT_EQ(seen[2], greys) << "the fill chooser has a table of its own";
    EXPECT_EQ(seen[3], greys) << "so has the text chooser";
    // Each chooser opens at its field's colour.
    EXPECT_EQ(startColours, (std::vector<QColor>{QColor(10, 20, 30), QColor(10, 20, 30), QColor(200, 100, 0),
                                                 QColor(128, 128, 128)}));
    // Cancelled choosers leave the fields alone.
    EXPECT_EQ(TextIn(plotDialog, "lineColour"), " 10  20  30");
}

class TextStyleDialogTest : public StyleDialogTest {};

TEST_F(TextStyleDialogTest, ShowsTheStyleInItsFields) {
    TextStyle style;  // grey, 12 points on screen, offset Y 0.5, weight 500, centred
    EXPECT_EQ(TextStyleDialogValues(style),
              (TextStyleDialogTB{"128 128 128", " 500", "Arial", false, "Centre", " 12.000000", false, "0.000000",
                                 "0.000000", "0.500000", true}));
    TextStyle other;
    other.fontName = "Wingdings";  // neither one of the 18 nor a family of this system
    other.justification = 5;
    other.sizeBasis = kSizeMap;
    other.on = 0;
    other.italic = 1;
    other.orientation = -123.25;
    const TextStyleDialogTB values = TextStyleDialogValues(other);
    EXPECT_EQ(values.fontName, "Wingdings");
    EXPECT_EQ(values.justification, "Left");
    EXPECT_TRUE(values.mapSize);
    EXPECT_FALSE(values.textOn);
    EXPECT_TRUE(values.italic);
    EXPECT_EQ(values.orientation, "-123.250000");

    // The justification list is sorted.
    TextStyleDialog dialog(values, nullptr);
    auto* justification = Child<QListWidget>(dialog, "justification");
    EXPECT_EQ(justification->item(0)->text(), "Centre");
    EXPECT_EQ(justification->item(2)->text(), "Right");
    EXPECT_EQ(dialog.Values(), values);
}

TEST_F(TextStyleDialogTest, FontListOffersTheSystemsFamiliesAndShowsWhatEachNameDrawsWith) {
    TextStyle style;
    style.fontName = "Wingdings";
    TextStyleDialog dialog(TextStyleDialogValues(style), nullptr);
    auto* fonts = Child<QListWidget>(dialog, "fontName");
    auto name = [&](int row) { return fonts->item(row)->data(Qt::UserRole).toString().toStdString(); };
    auto text = [&](int row) { return fonts->item(row)->text().toStdString(); };

    // A name from a file that nobody knows: first, selected, with what it is
    // drawn with, rather than replaced.
    EXPECT_EQ(name(0), "Wingdings");
    EXPECT_EQ(text(0), "Wingdings \u2192 " + DrawnFamily("Wingdings"));
    EXPECT_EQ(fonts->currentRow(), 0);
    // Then the 18 names of the style files in their order, each with the
    // family the drawing uses for it (the Liberation fonts stand in for
    // Arial, Times New Roman and Courier New).
    for (size_t i = 0; i < kFontNames.size(); ++i) EXPECT_EQ(name(static_cast<int>(i) + 1), kFontNames[i]);
    EXPECT_EQ(text(1), "Arial \u2192 Liberation Sans");
    EXPECT_EQ(text(8), "Courier New \u2192 Liberation Mono");
    EXPECT_EQ(text(18), "Times New Roman \u2192 Liberation Serif");
    // Then the system's own families, shown as they are.
    const std::vector<std::string> families = SystemFontFamilies();
    ASSERT_EQ(fonts->count(), static_cast<int>(1 + kFontNames.size() + families.size()));
    EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Serif"), families.end());
    for (size_t i = 0; i < families.size(); ++i) {
        const int row = static_cast<int>(1 + kFontNames.size() + i);
        EXPECT_EQ(name(row), families[i]);
        EXPECT_EQ(text(row), families[i]);
        EXPECT_LE(families[i].size(), kMaxFaceName) << "drawn by another name otherwise";
    }

    // A family of the system is stored by its name and opens selected.
    int changed = 0;
    script = [](QDialog& shown) {
        Select(shown, "fontName", "Liberation Serif");
        return Press(shown, true);
    };
    SetTextStyle(nullptr, style, changed);
    EXPECT_EQ(style.fontName, "Liberation Serif");
    TextStyleDialog again(TextStyleDialogValues(style), nullptr);
    EXPECT_EQ(SelectedFontName(Child<QListWidget>(again, "fontName")), "Liberation Serif");
    EXPECT_EQ(Child<QListWidget>(again, "fontName")->count(), fonts->count() - 1) << "no extra entry";
}

TEST_F(TextStyleDialogTest, OkStoresTheFieldsAndCancelNothing) {
    TextStyle style;
    style.fontName = "Wingdings";
    int changed = -1;
    // OK as opened: everything stays, the unknown font too.
    script = [](QDialog& dialog) { return Press(dialog, true); };
    SetTextStyle(nullptr, style, changed);
    EXPECT_EQ(changed, 1);
    TextStyle expected;
    expected.fontName = "Wingdings";
    EXPECT_EQ(style, expected);

    script = ChoosingColour(QColor(0, 0, 255), [](QDialog& dialog) {
        Child<QPushButton>(dialog, "colourButton")->click();
        SetText(dialog, "weight", "700");
        Select(dialog, "fontName", "Times New Roman");
        Check(dialog, "italicsOn");
        Select(dialog, "justification", "Right");
        SetText(dialog, "size", "0.5");
        Check(dialog, "map");
        SetText(dialog, "orientation", "45");
        SetText(dialog, "offsetX", "-1.25");
        SetText(dialog, "offsetY", "0");
        Check(dialog, "textOff");
        return Press(dialog, true);
    });
    SetTextStyle(nullptr, style, changed);
    EXPECT_EQ(changed, 1);
    expected.colour = Colour::Rgb(0, 0, 255);
    expected.weight = 700;
    expected.fontName = "Times New Roman";
    expected.italic = 1;
    expected.justification = kJustifyRight;
    expected.size = 0.5;
    expected.sizeBasis = kSizeMap;
    expected.orientation = 45.0;
    expected.offsetX = -1.25;
    expected.offsetY = 0.0;
    expected.on = 0;
    EXPECT_EQ(style, expected) << "the font is left for SetFont";

    // No font selected: "Courier".
    script = [](QDialog& dialog) {
        Child<QListWidget>(dialog, "fontName")->clearSelection();
        return Press(dialog, true);
    };
    SetTextStyle(nullptr, style, changed);
    EXPECT_EQ(style.fontName, "Courier");

    const TextStyle before = style;
    script = [](QDialog& dialog) {
        SetText(dialog, "size", "99");
        Select(dialog, "fontName", "Impact");
        return Press(dialog, false);
    };
    SetTextStyle(nullptr, style, changed);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(style, before);
}

TEST_F(TextStyleDialogTest, FieldsThatAreNotNumbersAreRefusedAtOk) {
    struct Row {
        const char* field;
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"colour", "grey", "The colour must be three whole numbers: red, green and blue."},
        {"weight", "bold", "The weight must be a whole number from 0 to 1000."},
        {"weight", "1001", "The weight must be a whole number from 0 to 1000."},
        {"size", "12pt", "The size must be a number."},
        {"orientation", "", "The orientation must be a number of degrees."},
        {"offsetX", "left", "Offset X must be a number."},
        {"offsetY", "1,5", "Offset Y must be a number."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        TextStyleDialog dialog(TextStyleDialogValues(TextStyle()), nullptr);
        SetText(dialog, row.field, row.text);
        messages.messages.clear();
        EXPECT_EQ(Press(dialog, true), QDialog::Rejected);
        EXPECT_EQ(messages.messages, std::vector<Message>{ErrorMessage(row.message)});
        TextStyle stored;
        ApplyTextStyleDialog(dialog.Values(), stored);
        EXPECT_EQ(stored, TextStyle()) << "the field keeps the old value";
    }
}

// An entry of okap.sym: two points, (number, 0) and (0, number).
std::string LibraryEntry(const std::string& name, int number) {
    return "symbol  = " + name + "\npoints  = 2\n" + std::to_string(number) + " 0\n0 " + std::to_string(number) +
           "\n";
}

class SymbolStyleDialogTest : public StyleDialogTest {
protected:
    SymbolStyleDialogTest() {
        ResetGlobals();
        application.mapPath = dir.Path().string();
        app = &application;
        symbol.name = "old";
        symbol.pointCount = 1;
        symbol.valid = 1;
        symbol.size = 1.0;
        plot.Reset();
    }
    ~SymbolStyleDialogTest() override {
        app = nullptr;
        ResetGlobals();
    }

    // The library s1, s2, ... s<count>.
    void WriteLibrary(int count) const {
        std::string library;
        for (int i = 1; i <= count; ++i) library += LibraryEntry("s" + std::to_string(i), i);
        dir.Write("okap.sym", library);
    }

    test::TempDir dir;
    okapApp application;
    Symbol symbol;
    PlotStyle plot;
};

// Chooses name, "Map", size 2.5 and "Plot Off", then OK.
int ChooseSymbol(QDialog& dialog, const char* name) {
    Select(dialog, "symbolName", name);
    Check(dialog, "map");
    SetText(dialog, "size", "2.5");
    Check(dialog, "plotOff");
    return Press(dialog, true);
}

TEST_F(SymbolStyleDialogTest, OkTakesTheOutlineFromTheLibrary) {
    struct Row {
        const char* what;
        int entries;  // in okap.sym; -1: no okap.sym
        bool mapDirectoryExists;
        const char* chosen;
        std::vector<std::string> messages;
        const char* nameAfter;  // "old" when the outline is not taken
        bool sizeTaken;
    };
    const Row rows[] = {
        {"the 50th of 50 entries", 50, true, "s50", {}, "s50", true},
        {"the first of 50", 50, true, "s1", {}, "s1", true},
        {"51 entries", 51, true, "s1", {"Too many symbols in okap.sym"}, "old", false},
        {"a name the library lacks", 3, true, "ghost", {}, "old", true},
        {"no okap.sym", -1, true, "s1", {"Error opening okap.sym"}, "old", false},
        {"no map directory", 3, false, "s1", {"Map file path does not exist"}, "old", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove(dir / "okap.sym");
        if (row.entries >= 0) WriteLibrary(row.entries);
        application.mapPath = row.mapDirectoryExists ? dir.Path().string() : (dir / "missing").string();
        Symbol edited = symbol;
        PlotStyle editedPlot = plot;
        messages.messages.clear();
        int changed = -1;
        const char* chosen = row.chosen;
        script = [chosen](QDialog& dialog) { return ChooseSymbol(dialog, chosen); };
        SetSymbolStyle(nullptr, {"s1", "s50", "ghost"}, edited, editedPlot, changed);

        EXPECT_EQ(changed, 1);
        EXPECT_EQ(messages.Texts(), row.messages);
        EXPECT_EQ(edited.name, row.nameAfter);
        if (edited.name != "old") {
            const int n = std::stoi(edited.name.substr(1));
            EXPECT_EQ(edited.pointCount, 2);
            EXPECT_EQ(edited.points[0], (POINT{n, 0}));
            EXPECT_EQ(edited.points[1], (POINT{0, n}));
        } else {
            EXPECT_EQ(edited.pointCount, 1);
        }
        EXPECT_EQ(edited.valid, 1);
        EXPECT_EQ(edited.size, row.sizeTaken ? 2.5 : 1.0);
        EXPECT_EQ(edited.sizeBasis, row.sizeTaken ? kSizeMap : kSizeScreen);
        EXPECT_EQ(editedPlot.plot, row.sizeTaken ? 0 : 1);
    }
}

TEST_F(SymbolStyleDialogTest, ShowsTheSymbolAndItsDisplayStyle) {
    symbol.name = "square";
    symbol.sizeBasis = kSizeMap;
    symbol.size = 0.25;
    script = [](QDialog& dialog) {
        auto& symbolDialog = dynamic_cast<SymbolStyleDialog&>(dialog);
        EXPECT_EQ(symbolDialog.Values(),
                  (SymbolStyleDialogTB{{"circle", "square", "triangle"}, "square", true, "  0.250000", true}));
        auto* styles = Child<QListWidget>(dialog, "list28258");
        EXPECT_EQ(styles->count(), 1);
        EXPECT_EQ(styles->currentItem()->text(), "  1 Plot style");
        return Press(dialog, false);
    };
    int changed = -1;
    const Symbol before = symbol;
    SetSymbolStyle(nullptr, {"triangle", "square", "circle"}, symbol, plot, changed);
    EXPECT_EQ(dialogsRun, 1);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(symbol.name, before.name);
    EXPECT_EQ(symbol.size, before.size);
}

TEST_F(SymbolStyleDialogTest, DisplayStyleEditsCountOnlyWhenTheDialogEndsWithOk) {
    WriteLibrary(2);
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        PlotStyle edited = plot;
        bool plotOffShown = false;
        script = [&](QDialog& dialog) {
            if (auto* styleDialog = dynamic_cast<PlotStyleDialog*>(&dialog)) {
                SetText(dialog, "lineColour", "0 0 255");
                Check(dialog, "plotOff");
                return Press(*styleDialog, true);
            }
            Child<QPushButton>(dialog, "editDisplayStyle")->click();
            plotOffShown = Child<QRadioButton>(dialog, "plotOff")->isChecked();
            Select(dialog, "symbolName", "s2");
            return Press(dialog, ok);
        };
        int changed = -1;
        SetSymbolStyle(nullptr, {"s1", "s2"}, symbol, edited, changed);
        EXPECT_TRUE(plotOffShown) << "the editor's plot switch shows in the symbol dialog";
        if (ok) {
            EXPECT_EQ(edited.lineColour, Colour::Rgb(0, 0, 255));
            ASSERT_TRUE(edited.pen);
            EXPECT_EQ(edited.pen->colour, Colour::Rgb(0, 0, 255));
            EXPECT_EQ(edited.plot, 0);
        } else {
            EXPECT_EQ(edited, plot);
            EXPECT_EQ(changed, 0);
        }
    }
}

TEST_F(SymbolStyleDialogTest, SizeThatIsNotANumberIsRefusedAtOk) {
    SymbolStyleDialog dialog(SymbolStyleDialogValues({"s1"}, symbol, plot), plot, nullptr);
    SetText(dialog, "size", "big");
    EXPECT_EQ(Press(dialog, true), QDialog::Rejected);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"The size must be a number."});
    SetText(dialog, "size", " 3 ");
    EXPECT_EQ(Press(dialog, true), QDialog::Accepted);
}

}  // namespace
}  // namespace okap
