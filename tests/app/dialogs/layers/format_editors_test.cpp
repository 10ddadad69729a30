// The map and data format editors ("Map Display Settings", "Data Display
// Settings"), driven through scripted dialogs over real files: the feature
// list of a new and an existing map format and its saving, the class
// operations and legend fields of a data format, the class dialog, and the
// files they write read back and drawn.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/dialogs/display/data_option_dialog.h"
#include "app/dialogs/styles/data_style_dialog.h"
#include "app/dialogs/display/map_option_dialog.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/controls/style_list_box.h"
#include "app/controls/symbol_list_box.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"

namespace okap {
namespace {

using Step = std::function<int(QDialog&)>;

int PressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return dialog.result();
}

int Cancel(QDialog&) { return QDialog::Rejected; }

template <class Widget>
Widget* Child(QDialog& dialog, const char* name) {
    Widget* widget = dialog.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QDialog& dialog, const char* name) { Child<QAbstractButton>(dialog, name)->click(); }

void SetText(QDialog& dialog, const char* name, const char* text) { Child<QLineEdit>(dialog, name)->setText(text); }

std::vector<std::string> Texts(const QListWidget& list) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().toStdString());
    return texts;
}

std::vector<bool> Selected(const QListWidget& list) {
    std::vector<bool> selected;
    for (int row = 0; row < list.count(); ++row) selected.push_back(list.item(row)->isSelected());
    return selected;
}

class FormatEditorsTest : public test::DocumentTest {
protected:
    FormatEditorsTest() {
        SetModalDialogRunner([this](QDialog& dialog) {
            titles.push_back(dialog.windowTitle().toStdString());
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected dialog " << titles.back();
                return int(QDialog::Rejected);
            }
            const Step step = steps.front();
            steps.pop_front();
            return step(dialog);
        });
        client.resize(1200, 1000);
        client.show();
        window = client.CmFileOpen(QString::fromStdString(Sample()));
        // The data points of the sample: value range -3.5 to 12.
        dir.Write("values.dat", "151.2 -33.9 -3.5\r\n0 0 12\r\n10 10 4\r\n");
    }
    ~FormatEditorsTest() override {
        EXPECT_TRUE(steps.empty()) << steps.size() << " scripted dialogs not run";
        gformatfile.clear();
        gmapfile.clear();
    }

    // The save dialog: notes the name it starts with and answers name in
    // the workspace, or is cancelled when name is empty.
    Step SaveAs(const std::string& name) {
        return [this, name](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            const QString start = files.selectedFiles().value(0);
            saveStart = QFileInfo(start).fileName().toStdString();
            saveDirectory = QFileInfo(start).absolutePath().toStdString();
            if (name.empty()) return int(QDialog::Rejected);
            files.selectFile(QString::fromStdString((dir / name).string()));
            return int(QDialog::Accepted);
        };
    }

    std::unique_ptr<Datafile> MakeDatafile() {
        return std::make_unique<Datafile>(window->Document().projection, app->mapPath, app->dataPath);
    }

    okapMDIClient client;
    okapMDIChild* window = nullptr;
    std::deque<Step> steps;
    std::vector<std::string> titles;
    std::string saveStart;
    std::string saveDirectory;
};

// --- Map formats -----------------------------------------------------------

// A map file whose segments have the types 5, 2, 1 and 2 again.
std::string MapOfTypes125() {
    test::MapLayout layout;
    layout.west = -10 * test::kWorldDegree;
    layout.north = 10 * test::kWorldDegree;
    layout.east = 10 * test::kWorldDegree;
    layout.south = -10 * test::kWorldDegree;
    for (int type : {5, 2, 1, 2}) {
        test::SegmentLayout segment;
        segment.type = type;
        segment.points = {{0, 0}, {1000, 1000}};
        segment.storedCount = -2;
        segment.box = {{0, 1000}, {1000, 0}};
        layout.segments.push_back(segment);
    }
    return test::BuildMap(layout);
}

constexpr char kMapFormatStart[] =
    "[Features]\r\n; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour\r\n";

TEST_F(FormatEditorsTest, ANewMapFormatListsTheSegmentTypesAndSavesDefaultStyles) {
    dir.Write("three.mpb", MapOfTypes125());
    gmapfile = "three.mpb";
    gformatfile = kNewFormatName;
    steps = {[](QDialog& dialog) {
                 auto& list = dynamic_cast<MapOptionDialog&>(dialog).List();
                 // Each type once, in number order, all plotted.
                 EXPECT_EQ(Texts(list), (std::vector<std::string>{"  1 New feature name", "  2 New feature name",
                                                                  "  5 New feature name"}));
                 EXPECT_EQ(Selected(list), (std::vector<bool>{true, true, true}));
                 EXPECT_EQ(list.currentRow(), 0);
                 return PressOk(dialog);
             },
             SaveAs("three")};

    EXPECT_TRUE(RunMapOptionDialog(*window));
    EXPECT_EQ(titles, (std::vector<std::string>{"Map Display Settings", "Save As"}));
    EXPECT_EQ(saveStart, "new000.okf");
    EXPECT_EQ(saveDirectory, dir.Path().string());
    // A name typed without extension gets the filter's; the current format
    // becomes the bare name. The style of a new feature: plot on, black
    // solid line of width 1, white solid fill, in the text form's order.
    EXPECT_EQ(gformatfile, "three.okf");
    EXPECT_EQ(test::TempDir::Read(dir / "three.okf"), std::string(kMapFormatStart) +
                                                          "F1 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n"
                                                          "F2 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n"
                                                          "F5 = New feature name : 1 0 0 0 1 0 255 255 255 99\r\n");
}

constexpr char kRoadsFormat[] =
    "[Features]\r\n"
    "; feature no = name,plot,line style,line width,line colour,fill pattern,fill colour\r\n"
    "F5 = Major Roads : 1 255 0 0 2 0 0 0 0 98\r\n"
    "F1 = Land : 1 226 232 196 1 5 226 232 196 99\r\n"
    "F2 = Lake : 0 170 211 232 1 5 170 211 232 99\r\n";

TEST_F(FormatEditorsTest, EditingAFormatKeepsItsFeaturesAndTheSelectionSwitchesPlotting) {
    dir.Write("roads.okf", kRoadsFormat);
    gformatfile = "roads.okf";
    steps = {[](QDialog& dialog) {
                 auto& list = dynamic_cast<MapOptionDialog&>(dialog).List();
                 EXPECT_EQ(Texts(list), (std::vector<std::string>{"  5 Major Roads", "  1 Land", "  2 Lake"}));
                 EXPECT_EQ(Selected(list), (std::vector<bool>{true, true, false}));
                 // Switch Land off and Lake on.
                 list.item(1)->setSelected(false);
                 list.item(2)->setSelected(true);
                 EXPECT_EQ(list.Styles()[0].plot, 0);
                 EXPECT_EQ(list.Styles()[1].plot, 1);
                 return PressOk(dialog);
             },
             SaveAs("roads.okf")};

    EXPECT_TRUE(RunMapOptionDialog(*window));
    EXPECT_EQ(saveStart, "roads.okf");
    // Order, names (inner blanks too) and the other values as they were.
    EXPECT_EQ(test::TempDir::Read(dir / "roads.okf"), std::string(kMapFormatStart) +
                                                          "F5 = Major Roads : 1 255 0 0 2 0 0 0 0 98\r\n"
                                                          "F1 = Land : 0 226 232 196 1 5 226 232 196 99\r\n"
                                                          "F2 = Lake : 1 170 211 232 1 5 170 211 232 99\r\n");
}

TEST_F(FormatEditorsTest, CancellingTheMapFormatSaveDialogWritesNothing) {
    dir.Write("roads.okf", kRoadsFormat);
    gformatfile = "roads.okf";
    const std::vector<std::string> files = dir.Names();
    steps = {[](QDialog& dialog) {
                 dynamic_cast<MapOptionDialog&>(dialog).List().item(0)->setSelected(false);
                 return PressOk(dialog);
             },
             SaveAs("")};

    // The editor still closes with OK.
    EXPECT_TRUE(RunMapOptionDialog(*window));
    EXPECT_EQ(gformatfile, "roads.okf");
    EXPECT_EQ(test::TempDir::Read(dir / "roads.okf"), kRoadsFormat);
    EXPECT_EQ(dir.Names(), files);
}

TEST_F(FormatEditorsTest, AMapFormatThatCannotBeReadIsNotOffered) {
    gformatfile = "missing.okf";
    MessageRecorder recorder;
    // No dialog: saving its empty list would replace the format.
    EXPECT_FALSE(RunMapOptionDialog(*window));
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Error opening map format file : missing.okf"}));
    EXPECT_TRUE(titles.empty());
}

TEST_F(FormatEditorsTest, EditWithoutAFeatureUnderTheCaretDoesNothing) {
    FeatureStyles styles;
    MapOptionDialog dialog(styles, {{"  1 Land", true}});
    dialog.List().setCurrentRow(-1);
    dialog.HandlePlotStyle();
    EXPECT_TRUE(titles.empty());
}

// --- Data formats ----------------------------------------------------------

// New, copies and Auto over the data range -3.5 to 12 of values.dat.
TEST_F(FormatEditorsTest, ANewDataFormatMadeWithNewAndAutoIsSavedReadBackAndDrawn) {
    steps = {[](QDialog& dialog) {
                 auto& classes = dynamic_cast<DataOptionDialog&>(dialog).ClassList();
                 EXPECT_EQ(classes.count(), 0);
                 // The first class spans the data range.
                 Click(dialog, "button8");
                 EXPECT_EQ(Texts(classes), (std::vector<std::string>{"-3.5-12"}));
                 const DataClass& first = classes.Data().classes[0];
                 EXPECT_EQ(first.symbol.name, "square");
                 EXPECT_EQ(first.symbol.size, 12.0);
                 EXPECT_EQ(first.plotStyle.plot, 1);
                 // Three copies of it, then Auto: (12 - -3.5) / 4 = 3.875 a class.
                 for (int i = 0; i < 3; ++i) Click(dialog, "button8");
                 Click(dialog, "button12");
                 EXPECT_EQ(Texts(classes), (std::vector<std::string>{"-3.5-0.375", "0.375-4.25", "4.25-8.125",
                                                                    "8.125-12"}));
                 EXPECT_EQ(Selected(classes), (std::vector<bool>{true, true, true, true}));
                 // The starting legend texts of a new format.
                 EXPECT_EQ(Child<QLineEdit>(dialog, "position")->text(), "0.05 0.50 0.4 0.95");
                 EXPECT_EQ(Child<QLineEdit>(dialog, "columns")->text(), "1");
                 EXPECT_EQ(Child<QLineEdit>(dialog, "legendName")->text(), "Legend");
                 EXPECT_TRUE(Child<QRadioButton>(dialog, "legendOff")->isChecked());
                 EXPECT_TRUE(Child<QRadioButton>(dialog, "titleOn")->isChecked());
                 EXPECT_TRUE(Child<QCheckBox>(dialog, "avoidLabelOverlaps")->isChecked());
                 Click(dialog, "legendOn");
                 SetText(dialog, "columns", "2");
                 return PressOk(dialog);
             },
             SaveAs("mine")};

    const std::optional<std::string> saved = NewDataFormat(*window, "values.dat");
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, (dir / "mine.okd").string());
    EXPECT_EQ(saveStart, "new000.okd");
    EXPECT_EQ(titles, (std::vector<std::string>{"Data Display Settings", "Save As"}));

    std::unique_ptr<Datafile> read = MakeDatafile();
    ASSERT_EQ(read->ReadFormat("mine.okd"), 1);
    ASSERT_EQ(read->symbolCount, 4);
    const double bounds[] = {-3.5, 0.375, 4.25, 8.125, 12.0};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(read->classes[i].lowValue, bounds[i]) << i;
        EXPECT_EQ(read->classes[i].highValue, bounds[i + 1]) << i;
        EXPECT_EQ(read->classes[i].symbol.valid, 1) << "square found in okap.sym";
    }
    EXPECT_EQ(read->legend, 1);
    EXPECT_EQ(read->legendColumns, 2);
    EXPECT_EQ(read->legendName, "Legend");
    EXPECT_EQ(read->legendBorderPosition, (std::array<double, 4>{0.05, 0.50, 0.4, 0.95}));
    EXPECT_EQ(read->avoidLabelOverlaps, 1);

    // Drawn in place of the sample's cities: black squares, more black than
    // the map box outline alone gives, and no message.
    const auto blackPixels = [this] {
        window->View()->Repaint();
        const QImage& picture = window->View()->Picture();
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) count += picture.pixelColor(x, y) == Qt::black;
        return count;
    };
    MessageRecorder recorder;
    window->Document().dataLayerCount = 0;
    const int without = blackPixels();
    window->Document().dataLayerCount = 1;
    window->Document().dataLayers[0] = {"values.dat", "mine.okd"};
    EXPECT_GT(blackPixels(), without + 3 * 25);
    EXPECT_TRUE(recorder.messages.empty()) << recorder.messages.front();
}

TEST_F(FormatEditorsTest, EditingTheSampleFormatAndCancellingItsSaveDialog) {
    const std::string original = test::TempDir::Read(dir / "cities.okd");
    const auto deleteFirstAndSaveAs = [this](const std::string& name) {
        steps = {[](QDialog& dialog) {
                     auto& classes = dynamic_cast<DataOptionDialog&>(dialog).ClassList();
                     // Natural breaks of the sample cities, labelled in millions;
                     // the method is shown.
                     EXPECT_EQ(Texts(classes),
                               (std::vector<std::string>{"0.5 - 2 million", "2 - 5 million", "5 - 10 million",
                                                         "10 - 22 million", "22 million and more"}));
                     EXPECT_EQ(Child<QComboBox>(dialog, "classMethod")->currentText(), "Natural breaks");
                     EXPECT_EQ(Child<QSpinBox>(dialog, "classCount")->value(), 5);
                     EXPECT_EQ(Child<QLineEdit>(dialog, "position")->text(), "0.02 0.55 0.24 0.77");
                     EXPECT_EQ(Child<QLineEdit>(dialog, "legendName")->text(), "City population");
                     EXPECT_TRUE(Child<QRadioButton>(dialog, "legendOn")->isChecked());
                     Click(dialog, "button11");
                     return PressOk(dialog);
                 },
                 SaveAs(name)};
    };

    deleteFirstAndSaveAs("");
    EXPECT_FALSE(EditDataFormat(*window, "cities.dat", "cities.okd"));
    EXPECT_EQ(saveStart, "cities.okd");
    EXPECT_EQ(test::TempDir::Read(dir / "cities.okd"), original);

    deleteFirstAndSaveAs("cities.okd");
    EXPECT_EQ(EditDataFormat(*window, "cities.dat", "cities.okd"), (dir / "cities.okd").string());
    std::unique_ptr<Datafile> read = MakeDatafile();
    ASSERT_EQ(read->ReadFormat("cities.okd"), 1);
    ASSERT_EQ(read->symbolCount, 4);
    EXPECT_EQ(read->classes[0].label, "2 - 5 million");
    EXPECT_EQ(read->classMethod, ClassMethod::NaturalBreaks);
    EXPECT_EQ(read->classes[3].symbol.name, "star");
    EXPECT_EQ(read->legendName, "City population");
}

// "Avoid label overlaps" shows the format's setting and OK stores it; the
// sample format has it on, and a format saved with it off is written with
// no line for it, as formats were before the setting.
TEST_F(FormatEditorsTest, AvoidLabelOverlapsIsReadAndWrittenByTheCheckBox) {
    const auto toggleAndSave = [this](bool wasOn) {
        steps = {[wasOn](QDialog& dialog) {
                     auto* box = Child<QCheckBox>(dialog, "avoidLabelOverlaps");
                     EXPECT_EQ(box->isChecked(), wasOn);
                     box->click();
                     return PressOk(dialog);
                 },
                 SaveAs("cities.okd")};
        ASSERT_TRUE(EditDataFormat(*window, "cities.dat", "cities.okd"));
        std::unique_ptr<Datafile> read = MakeDatafile();
        ASSERT_EQ(read->ReadFormat("cities.okd"), 1);
        EXPECT_EQ(read->avoidLabelOverlaps, wasOn ? 0 : 1);
        const std::string written = test::TempDir::Read(dir / "cities.okd");
        EXPECT_EQ(written.find("Avoid label overlaps") != std::string::npos, !wasOn);
    };
    toggleAndSave(true);
    toggleAndSave(false);

    // Cancel keeps the format's setting.
    std::unique_ptr<Datafile> data = MakeDatafile();
    ASSERT_EQ(data->ReadFormat("cities.okd"), 1);
    DataOptionDialog dialog(*window, *data, OptionTexts(*data));
    Child<QCheckBox>(dialog, "avoidLabelOverlaps")->click();
    dialog.reject();
    EXPECT_EQ(data->avoidLabelOverlaps, 1);
}

// Auto makes the classes the count asks for by the method chosen, which the
// format keeps; the sample cities' own classes come out again.
TEST_F(FormatEditorsTest, AutoWithAMethodAndAClassCount) {
    std::unique_ptr<Datafile> data = MakeDatafile();
    ASSERT_EQ(data->OpenInfile("cities.dat"), 1);
    DataOptionDialog dialog(*window, *data, DataOptionTexts{});
    EXPECT_EQ(Child<QComboBox>(dialog, "classMethod")->currentText(), "Equal intervals");
    EXPECT_EQ(Child<QSpinBox>(dialog, "classCount")->value(), 5);

    Child<QComboBox>(dialog, "classMethod")->setCurrentText("Natural breaks");
    Click(dialog, "button12");
    EXPECT_EQ(Texts(dialog.ClassList()),
              (std::vector<std::string>{"500-1963", "1963-5028", "5028-9785", "9785-22315", "22315-22315"}));
    EXPECT_EQ(data->classMethod, ClassMethod::NaturalBreaks);

    // Fewer classes, by quantiles: as many cities in each.
    data->classes[1].symbol.size = 30.0;
    Child<QComboBox>(dialog, "classMethod")->setCurrentText("Quantiles");
    Child<QSpinBox>(dialog, "classCount")->setValue(2);
    Click(dialog, "button12");
    ASSERT_EQ(dialog.ClassList().count(), 2);
    EXPECT_EQ(data->classes[1].symbol.size, 30.0);
    EXPECT_EQ(data->classMethod, ClassMethod::Quantiles);
    EXPECT_EQ(Child<QSpinBox>(dialog, "classCount")->value(), 2);
}

TEST_F(FormatEditorsTest, FiftyClassesRefuseNew) {
    std::unique_ptr<Datafile> data = MakeDatafile();
    ASSERT_EQ(data->OpenInfile("values.dat"), 1);
    DataOptionDialog dialog(*window, *data, DataOptionTexts{});
    for (int i = 0; i < kMaxDataClasses; ++i) dialog.HandleNew();
    ASSERT_EQ(dialog.ClassList().count(), 50);

    MessageRecorder recorder;
    dialog.HandleNew();
    EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"Sorry - maximum number of data symbols reached"}));
    EXPECT_EQ(data->symbolCount, 50);
    EXPECT_EQ(dialog.ClassList().count(), 50);
}

TEST_F(FormatEditorsTest, ClassButtonsWithoutAClassUnderTheCaretDoNothing) {
    std::unique_ptr<Datafile> data = MakeDatafile();
    ASSERT_EQ(data->OpenInfile("values.dat"), 1);
    DataOptionDialog dialog(*window, *data, DataOptionTexts{});
    dialog.HandleNew();
    dialog.ClassList().setCurrentRow(-1);

    dialog.HandleNew();
    dialog.HandleEdit();
    dialog.HandleDelete();
    EXPECT_EQ(data->symbolCount, 1);
    EXPECT_TRUE(titles.empty());
}

// Texts a format file could not hold are refused at OK, one field at a
// time, with the dialog left open and the field's text kept for correcting.
TEST_F(FormatEditorsTest, LegendTextsThatAreNotNumbersAreRefusedAtOk) {
    std::unique_ptr<Datafile> data = MakeDatafile();
    DataOptionDialog dialog(*window, *data, DataOptionTexts{});
    const char* positionMessage = "The legend position must be four numbers: left, top, right and bottom";
    const char* columnsMessage = "The number of legend columns must be a whole number";
    const struct {
        const char* field;
        const char* text;
        const char* message;
    } rows[] = {
        {"position", "abc", positionMessage},
        {"position", "0.05 0.5 0.4", positionMessage},      // three numbers
        {"position", "0.05,0.5,0.4,0.95", positionMessage},  // not blank-separated
        {"columns", "x", columnsMessage},
        {"columns", "1.", columnsMessage},  // a number, not a whole one
        {"columns", "", columnsMessage},
    };
    for (const auto& row : rows) {
        const QString good = Child<QLineEdit>(dialog, row.field)->text();
        SetText(dialog, row.field, row.text);
        MessageRecorder recorder;
        dialog.HandleOk();
        ASSERT_EQ(recorder.messages.size(), 1u) << row.text;
        EXPECT_EQ(recorder.messages[0].text, row.message);
        EXPECT_EQ(recorder.messages[0].caption, "Error");
        EXPECT_NE(dialog.result(), QDialog::Accepted) << row.text;
        EXPECT_EQ(Child<QLineEdit>(dialog, row.field)->text(), row.text);
        SetText(dialog, row.field, good.toStdString().c_str());
    }

    MessageRecorder recorder;
    dialog.HandleOk();
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(FormatEditorsTest, TheClassDialogRefusesBoundsThatAreNotNumbersAndCancelKeepsTheClass) {
    std::unique_ptr<Datafile> data = MakeDatafile();
    ASSERT_EQ(data->OpenInfile("values.dat"), 1);
    int added = 0;
    ASSERT_EQ(data->NewClass(0, added), 1);
    DataClass& dataClass = data->classes[0];

    // OK with a bound "abc": refused, dialog open; corrected: stored.
    steps = {[](QDialog& dialog) {
        EXPECT_EQ(Child<QLineEdit>(dialog, "low")->text(), "-3.5");
        EXPECT_EQ(Child<QLineEdit>(dialog, "high")->text(), "12");
        EXPECT_TRUE(Child<QRadioButton>(dialog, "symbolOn")->isChecked());
        EXPECT_TRUE(Child<QRadioButton>(dialog, "labelOn")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(dialog, "label")->text(), "-3.5-12");
        for (const char* field : {"low", "high"}) {
            SetText(dialog, field, "abc");
            MessageRecorder recorder;
            EXPECT_NE(PressOk(dialog), QDialog::Accepted);
            EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{std::string("The ") + field +
                                                                  " value must be a number"}));
            SetText(dialog, field, "7");
        }
        SetText(dialog, "low", " -1e3 ");
        Click(dialog, "symbolOff");
        Click(dialog, "labelOff");
        SetText(dialog, "label", "low ones");
        return PressOk(dialog);
    }};
    EXPECT_TRUE(EditDataClass(*window, *data, 0, nullptr));
    EXPECT_EQ(dataClass.lowValue, -1000.0);
    EXPECT_EQ(dataClass.highValue, 7.0);
    EXPECT_EQ(dataClass.plotStyle.plot, 0);
    EXPECT_EQ(dataClass.textStyle.on, 0);
    EXPECT_EQ(dataClass.label, "low ones");

    // The sample buttons change the class itself (here as the style dialogs
    // would); Cancel puts back everything.
    steps = {[&dataClass](QDialog& dialog) {
        dataClass.textStyle.size = 30.0;
        dataClass.symbol.size = 2.0;
        SetText(dialog, "label", "changed");
        return Cancel(dialog);
    }};
    EXPECT_FALSE(EditDataClass(*window, *data, 0, nullptr));
    EXPECT_EQ(dataClass.textStyle.size, 12.0);
    EXPECT_EQ(dataClass.symbol.size, 12.0);
    EXPECT_EQ(dataClass.label, "low ones");
}

}  // namespace
}  // namespace okap
