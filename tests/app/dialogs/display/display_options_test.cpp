// The Display options command and its dialogs: the details with New, Edit
// and Delete, the detail editor, the grid settings with their checks at OK,
// and the grid format editor with its save dialog.

#include "app/dialogs/display/display_option_dialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QComboBox>
#include <fstream>
#include <functional>

#include "app/frame/command_ids.h"
#include "app/dialogs/styles/detail_style_dialog.h"
#include "app/dialogs/display/grid_option_dialog.h"
#include "app/frame/main_frame.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/app_fixture.h"
#include "app/document_fixture.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "styles/grid_format.h"

namespace okap {
namespace {

// The sample document's first two details, as world-mercator.oki holds
// them (the document reads them with the blanks at their ends stripped);
// a scale bar and a north arrow follow.
const std::string kTitle =
    R"(Text "The world in Mercator's projection" 0.50 0.035 1 "Arial" 0 30 40 60 0 12 0 0 0.5 700 0 2)";
const std::string kSource =
    R"(Text "Shorelines, rivers and borders: GSHHG 2.3.7 (LGPL). Cities: GeoNames (CC BY 4.0).")"
    R"( 0.99 0.975 1 "Arial" 0 60 60 60 0 6 0 0 0.5 400 0 1)";

// A failure as ShowError reports it.
Message Error(const std::string& text) { return {text, "Error", MessageButtons::Ok, MessageIcon::Stop}; }

// Presses OK as the user would, and returns what the dialog then holds as
// its result: Rejected while a refused OK keeps it open.
int PressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    return dialog.result();
}

template <typename T>
T& Child(QDialog& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
}

void SetText(QDialog& dialog, const char* name, const std::string& text) {
    Child<QLineEdit>(dialog, name).setText(QString::fromStdString(text));
}

QStringList Entries(const QListWidget& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) entries.append(list.item(i)->text());
    return entries;
}

class DisplayOptionsTest : public test::DocumentTest {
protected:
    DisplayOptionsTest() {
        client.resize(1000, 800);
        client.show();
        SetModalDialogRunner([this](QDialog& dialog) {
            if (auto* d = dynamic_cast<DisplayOptionDialog*>(&dialog); d && display) return display(*d);
            if (auto* d = dynamic_cast<DetailStyleDialog*>(&dialog)) {
                ++detailEditors;
                return detail ? detail(*d) : int(QDialog::Rejected);
            }
            if (auto* d = dynamic_cast<GridOptionDialog*>(&dialog); d && grid) return grid(*d);
            if (auto* d = dynamic_cast<QFileDialog*>(&dialog); d && save) return save(*d);
            return other ? other(dialog) : int(QDialog::Rejected);
        });
    }

    okapMDIChild* OpenSample() {
        okapMDIChild* child = client.CmFileOpen(QString::fromStdString(Sample()));
        EXPECT_NE(child, nullptr);
        // The first picture, drawn in the background, is shown.
        if (child) child->View()->WaitForPicture();
        return child;
    }

    // The dialog as the command builds it, over the sample's grid formats.
    static DisplayOptionDialogTB Values(okapMDIChild& child) {
        return DisplayOptionDialogValues(child.Document(), GridFormatFiles());
    }

    // The user, dialog by dialog; a dialog without a script is cancelled.
    std::function<int(DisplayOptionDialog&)> display;
    std::function<int(DetailStyleDialog&)> detail;
    std::function<int(GridOptionDialog&)> grid;
    std::function<int(QFileDialog&)> save;
    std::function<int(QDialog&)> other;  // the style editors
    int detailEditors = 0;
    okapMDIClient client;
};

TEST_F(DisplayOptionsTest, NewCopiesTheDetailUnderTheCaretUpToFifteen) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    ASSERT_EQ(SetWD(application.mapPath), 0);
    DisplayOptionDialog dialog(*child, Values(*child));
    auto& list = Child<QListWidget>(dialog, "details");
    EXPECT_EQ(Entries(list), (QStringList{QString::fromStdString(DetailListEntry(kTitle)),
                                          QString::fromStdString(DetailListEntry(kSource)), R"(Scale "km")", R"(North "N")"}));
    EXPECT_EQ(list.item(0)->text(), R"(Text "The world in Mercator's projection")");
    EXPECT_EQ(list.currentRow(), 0);

    // The copy of the first detail goes between the two and the editor
    // opens on it, showing the position as general numbers.
    DetailStyleDialogTB shown;
    detail = [&](DetailStyleDialog& editor) {
        shown = editor.Values();
        return int(QDialog::Rejected);
    };
    dialog.HandleDetailNew();
    ASSERT_EQ(dialog.DetailCount(), 5);
    EXPECT_EQ(dialog.Details()[0], kTitle);
    EXPECT_EQ(dialog.Details()[1], kTitle);
    EXPECT_EQ(dialog.Details()[2], kSource);
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.item(1)->text(), list.item(0)->text());
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_EQ(shown, (DetailStyleDialogTB{"Text", "The world in Mercator's projection", "0.5 0.035 ", 1}));

    // Up to fifteen; the sixteenth is refused with the message alone.
    while (dialog.DetailCount() < kMaxDetails) dialog.HandleDetailNew();
    const int editorsAtFifteen = detailEditors;
    MessageRecorder messages;
    dialog.HandleDetailNew();
    EXPECT_EQ(messages.messages, std::vector<Message>{Error("Sorry - maximum number of details reached")});
    EXPECT_EQ(dialog.DetailCount(), kMaxDetails);
    EXPECT_EQ(list.count(), kMaxDetails);
    EXPECT_EQ(detailEditors, editorsAtFifteen);

    // Delete removes the entry under the caret; with no caret New and
    // Delete leave the list alone.
    list.setCurrentRow(0);
    dialog.HandleDetailDelete();
    EXPECT_EQ(dialog.DetailCount(), kMaxDetails - 1);
    EXPECT_EQ(list.count(), kMaxDetails - 1);
    EXPECT_EQ(dialog.Details()[kMaxDetails - 4], kSource);
    EXPECT_EQ(dialog.Details()[kMaxDetails - 1], "");
    list.setCurrentRow(-1);
    dialog.HandleDetailDelete();
    dialog.HandleDetailNew();
    EXPECT_EQ(dialog.DetailCount(), kMaxDetails - 1);
    EXPECT_EQ(detailEditors, editorsAtFifteen);

    // All of it on the working copy only.
    EXPECT_EQ(child->Document().detailCount, 4);
}

TEST_F(DisplayOptionsTest, TheFirstDetailOfAMapIsEditedIntoPlace) {
    okapMDIChild* child = client.CmFileNew();
    ASSERT_EQ(child->Document().detailCount, 0);
    DisplayOptionDialog dialog(*child, Values(*child));
    DetailStyleDialogTB shown;
    detail = [&](DetailStyleDialog& editor) {
        shown = editor.Values();
        SetText(editor, "text", "Title");
        SetText(editor, "position", "1 1");
        Child<QRadioButton>(editor, "textOff").setChecked(true);
        // The text style editor starts from the Text On/Off buttons.
        Child<QPushButton>(editor, "button28284").click();
        return PressOk(editor);
    };
    int onWhenStyled = -1;
    other = [&](QDialog&) {
        onWhenStyled = child->Document().detailStyle.on;
        return int(QDialog::Rejected);
    };
    dialog.HandleDetailNew();
    EXPECT_EQ(onWhenStyled, 0);
    EXPECT_EQ(shown, (DetailStyleDialogTB{"Text", "New Text", "0.5 0.05 ", 1}));
    ASSERT_EQ(dialog.DetailCount(), 1);
    // The default text style form with its on flag 0; the position as typed.
    EXPECT_EQ(dialog.Details()[0], R"(Text "Title" 1 1 0 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2 )");
    EXPECT_EQ(Child<QListWidget>(dialog, "details").item(0)->text(), R"(Text "Title")");

    // Edit with nothing selected edits the first; Cancel keeps the detail.
    Child<QListWidget>(dialog, "details").clearSelection();
    detail = [&](DetailStyleDialog& editor) {
        shown = editor.Values();
        SetText(editor, "text", "Changed");
        return int(QDialog::Rejected);
    };
    dialog.HandleDetailStyle();
    EXPECT_EQ(shown, (DetailStyleDialogTB{"Text", "Title", "1 1 ", 0}));
    EXPECT_EQ(dialog.Details()[0], R"(Text "Title" 1 1 0 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2 )");
}

TEST_F(DisplayOptionsTest, TheDetailEditorMakesScaleBarsAndNorthArrows) {
    okapMDIChild* child = client.CmFileNew();
    DisplayOptionDialog dialog(*child, Values(*child));
    // A new detail made a scale bar in miles: the unit replaces the text,
    // and the position of a new detail moves to where a bar goes.
    detail = [&](DetailStyleDialog& editor) {
        Child<QComboBox>(editor, "kind").setCurrentIndex(1);
        EXPECT_TRUE(Child<QLineEdit>(editor, "text").isHidden());
        EXPECT_FALSE(Child<QComboBox>(editor, "unit").isHidden());
        Child<QComboBox>(editor, "unit").setCurrentIndex(1);
        return PressOk(editor);
    };
    dialog.HandleDetailNew();
    ASSERT_EQ(dialog.DetailCount(), 1);
    EXPECT_EQ(dialog.Details()[0], R"(Scale "mi" 0.50 0.93 1 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2 )");
    EXPECT_EQ(Child<QListWidget>(dialog, "details").item(0)->text(), R"(Scale "mi")");

    // Its copy opens as a scale bar in miles and is made a north arrow.
    DetailStyleDialogTB shown;
    detail = [&](DetailStyleDialog& editor) {
        shown = editor.Values();
        Child<QComboBox>(editor, "kind").setCurrentIndex(2);
        EXPECT_EQ(Child<QLineEdit>(editor, "text").text(), "N");
        return PressOk(editor);
    };
    dialog.HandleDetailNew();
    EXPECT_EQ(shown, (DetailStyleDialogTB{"Scale", "mi", "0.5 0.93 ", 1}));
    ASSERT_EQ(dialog.DetailCount(), 2);
    EXPECT_EQ(dialog.Details()[1], R"(North "N" 0.94 0.10 1 "Arial" 0 128 128 128 0 12 0 0 0.5 500 0 2 )");

    // A kind this program does not draw keeps its word through the editor.
    DetailStyleDialog other(nullptr, *child, child->Document().detailStyle, {"Note", "kept", "0.1 0.2", 1});
    EXPECT_EQ(other.Values(), (DetailStyleDialogTB{"Note", "kept", "0.1 0.2", 1}));
}

TEST_F(DisplayOptionsTest, TheDetailEditorRefusesWhatWouldSpoilTheDetail) {
    okapMDIChild* child = client.CmFileNew();
    TextStyle style;
    const std::string quote = "The text cannot hold a double quote";
    const std::string position = "Position must be two numbers, x and y, such as 0.5 0.05";
    struct Row {
        const char* text;
        const char* position;
        const std::string& message;
    };
    const Row rows[] = {
        {R"(Say "cheese")", "0.5 0.5", quote},  // the quote would end the text early
        {"Title", "abc", position},
        {"Title", "0.5", position},
        {"Title", "0.5 0.5 7", position},
        {"Title", "0.5 inf", position},
        {"Title", "", position},
    };
    for (const Row& row : rows) {
        DetailStyleDialog editor(nullptr, *child, style, {"Text", row.text, row.position, 1});
        MessageRecorder messages;
        EXPECT_EQ(PressOk(editor), QDialog::Rejected) << row.text << " / " << row.position;
        EXPECT_EQ(messages.messages, std::vector<Message>{Error(row.message)})
            << row.text << " / " << row.position;
        // Put right, the same dialog closes.
        SetText(editor, "text", "Title");
        SetText(editor, "position", " 0.25  0.75 ");
        EXPECT_EQ(PressOk(editor), QDialog::Accepted);
        EXPECT_EQ(messages.messages.size(), 1u);
    }
}

TEST_F(DisplayOptionsTest, CancelKeepsTheDetailsAndTheMapUnchanged) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    MapDocument& doc = child->Document();
    ASSERT_EQ(doc.modified, 0);
    const qint64 picture = child->View()->Picture().cacheKey();
    int redrawWhileOpen = -1;
    display = [&](DisplayOptionDialog& dialog) {
        redrawWhileOpen = noredraw;
        dialog.HandleDetailDelete();
        SetText(dialog, "gridSize", "5");
        dialog.reject();
        return dialog.result();
    };
    child->CMDisplayOptions();
    EXPECT_EQ(redrawWhileOpen, 1);
    EXPECT_EQ(noredraw, 0);
    EXPECT_EQ(doc.detailCount, 4);
    EXPECT_EQ(doc.details[0], kTitle);
    EXPECT_EQ(doc.details[1], kSource);
    EXPECT_EQ(doc.gridSize, 30.0);
    EXPECT_EQ(doc.modified, 0);
    EXPECT_NE(child->View()->Picture().cacheKey(), picture) << "repainted";
}

TEST_F(DisplayOptionsTest, OkTakesTheDetailsAndTheGridSettings) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    dir.Write("fine.okg", test::TempDir::Read(dir / "std.okg"));
    DisplayOptionDialogTB shown;
    detail = [](DetailStyleDialog& editor) {
        SetText(editor, "text", "Copy");
        return PressOk(editor);
    };
    display = [&](DisplayOptionDialog& dialog) {
        shown = dialog.Values();
        dialog.HandleDetailNew();
        Child<QRadioButton>(dialog, "gridOff").setChecked(true);
        Child<QRadioButton>(dialog, "position2").setChecked(true);
        Child<QListWidget>(dialog, "gridFormats").setCurrentRow(0);
        SetText(dialog, "gridSize", "12.5");
        SetText(dialog, "gridIncrement", "4");
        Child<QCheckBox>(dialog, "smoothLines").setChecked(false);
        return PressOk(dialog);
    };
    child->CMDisplayOptions();
    // The sample's grid: std.okg, position 1, on, 30 degrees, 3 intervals;
    // smooth lines.
    EXPECT_EQ(shown, (DisplayOptionDialogTB{1, 1, {"fine.okg", "std.okg"}, 1, "30", "3", 1}));
    MapDocument& doc = child->Document();
    ASSERT_EQ(doc.detailCount, 5);
    EXPECT_EQ(doc.details[0], kTitle);
    EXPECT_EQ(DetailListEntry(doc.details[1]), R"(Text "Copy")");
    EXPECT_EQ(doc.details[2], kSource);
    EXPECT_EQ(doc.gridOn, 0);
    EXPECT_EQ(doc.gridPosition, 2);
    EXPECT_EQ(doc.gridFormatFile, "fine.okg");
    EXPECT_EQ(doc.gridSize, 12.5);
    EXPECT_EQ(doc.gridIncrement, 4);
    EXPECT_EQ(doc.antialiasing, 0);
    EXPECT_EQ(doc.modified, 1);
}

TEST_F(DisplayOptionsTest, OkRefusesAGridThatCannotBeDrawn) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    MapDocument& doc = child->Document();
    const std::string size = "Grid size must be a number of degrees above 0";
    const std::string increment = "Minor inc must be a whole number of 1 or more";
    struct Row {
        const char* size;
        const char* increment;
        const std::string& message;
    };
    const Row rows[] = {
        {"abc", "3", size},  {"0", "3", size},   {"-30", "3", size},  {"nan", "3", size},
        {"30", "0", increment}, {"30", "-1", increment}, {"30", "2.5", increment}, {"30", "x", increment},
        {"30", "", increment}, {"30", "99999999999", increment},
    };
    for (const Row& row : rows) {
        MessageRecorder messages;
        int refused = -1;
        display = [&](DisplayOptionDialog& dialog) {
            dialog.HandleDetailDelete();
            SetText(dialog, "gridSize", row.size);
            SetText(dialog, "gridIncrement", row.increment);
            refused = PressOk(dialog);
            return int(QDialog::Rejected);
        };
        child->CMDisplayOptions();
        EXPECT_EQ(refused, QDialog::Rejected) << row.size << " / " << row.increment;
        EXPECT_EQ(messages.messages, std::vector<Message>{Error(row.message)})
            << row.size << " / " << row.increment;
        EXPECT_EQ(doc.detailCount, 4) << "the refused OK copied nothing";
        EXPECT_EQ(doc.gridSize, 30.0);
        EXPECT_EQ(doc.gridIncrement, 3);
    }

    // Blanks around good numbers are fine.
    display = [&](DisplayOptionDialog& dialog) {
        SetText(dialog, "gridSize", " 7.5 ");
        SetText(dialog, "gridIncrement", " +2 ");
        return PressOk(dialog);
    };
    child->CMDisplayOptions();
    EXPECT_EQ(doc.gridSize, 7.5);
    EXPECT_EQ(doc.gridIncrement, 2);
}

TEST_F(DisplayOptionsTest, AGridFormatIsEditedAndSavedUnderANewName) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);
    const std::string standard = test::TempDir::Read(dir / "std.okg");
    GridOptionDialogTB shown;
    grid = [&](GridOptionDialog& editor) {
        shown = editor.Values();
        Child<QRadioButton>(editor, "labelsOff").setChecked(true);
        Child<QCheckBox>(editor, "left").setChecked(false);
        Child<QCheckBox>(editor, "top").setChecked(true);
        return PressOk(editor);
    };
    QString startName;
    save = [&](QFileDialog& files) {
        startName = files.selectedFiles().value(0);
        files.selectFile(QString::fromStdString((dir / "mine").string()));
        return int(QDialog::Accepted);
    };
    QStringList listed;
    display = [&](DisplayOptionDialog& dialog) {
        dialog.HandleGridStyle();
        const auto& formats = Child<QListWidget>(dialog, "gridFormats");
        listed = Entries(formats);
        EXPECT_EQ(formats.currentItem()->text(), "mine.okg");
        return PressOk(dialog);
    };
    child->CMDisplayOptions();

    // std.okg as written: ticks on and in, axes 1 0 0 1 (left and bottom),
    // label format 4, labels on.
    EXPECT_EQ(shown, (GridOptionDialogTB{1, 1, 1, 0, 0, 1, 1, 4}));
    EXPECT_EQ(std::filesystem::path(startName.toStdString()).filename(), "std.okg");
    EXPECT_EQ(listed, (QStringList{"mine.okg", "std.okg"}));
    EXPECT_EQ(child->Document().gridFormatFile, "mine.okg");
    EXPECT_EQ(test::TempDir::Read(dir / "std.okg"), standard);

    std::ifstream file(dir / "mine.okg", std::ios::binary);
    GridFormat saved;
    ASSERT_EQ(ReadGridFormat(file, saved), 1);
    EXPECT_EQ(saved.labelStyle.on, 0);
    EXPECT_EQ(saved.axes, (std::array<uint16_t, 4>{0, 0, 1, 1}));  // left, right, top, bottom
    EXPECT_EQ(saved.ticksOn, 1);
    EXPECT_EQ(saved.ticksIn, 1);
    EXPECT_EQ(saved.labelFormat, 4);
    EXPECT_EQ(saved.majorStyle, child->Document().gridStyles[0]);

    // Cancelling the save dialog writes nothing and keeps the selection.
    const std::vector<std::string> files = dir.Names();
    save = [](QFileDialog&) { return int(QDialog::Rejected); };
    display = [&](DisplayOptionDialog& dialog) {
        auto& formats = Child<QListWidget>(dialog, "gridFormats");
        formats.setCurrentRow(1);
        dialog.HandleGridStyle();
        EXPECT_EQ(formats.currentItem()->text(), "std.okg");
        return int(QDialog::Rejected);
    };
    child->CMDisplayOptions();
    EXPECT_EQ(test::TempDir::Read(dir / "std.okg"), standard);
    EXPECT_EQ(dir.Names(), files);
}

TEST_F(DisplayOptionsTest, FailuresStopWithAMessage) {
    okapMDIChild* child = OpenSample();
    ASSERT_NE(child, nullptr);

    // The grid format file went away after the list was made.
    std::vector<std::string> messages;
    display = [&](DisplayOptionDialog& dialog) {
        std::filesystem::remove(dir / "std.okg");
        MessageRecorder recorder;
        dialog.HandleGridStyle();
        messages = recorder.Texts();
        return int(QDialog::Rejected);
    };
    bool edited = false;
    grid = [&](GridOptionDialog&) {
        edited = true;
        return int(QDialog::Rejected);
    };
    child->CMDisplayOptions();
    EXPECT_EQ(messages, std::vector<std::string>{"Error opening grid format file"});
    EXPECT_FALSE(edited);

    // No map files directory: no dialog.
    bool shown = false;
    display = [&](DisplayOptionDialog&) {
        shown = true;
        return int(QDialog::Rejected);
    };
    application.mapPath = (dir / "missing").string();
    MessageRecorder recorder;
    child->CMDisplayOptions();
    EXPECT_FALSE(shown);
    EXPECT_EQ(recorder.messages, std::vector<Message>{Error("Map file path does not exist")});
    EXPECT_EQ(badclient, 1);
}

class DisplayOptionsCommandTest : public test::AppFixture {};

TEST_F(DisplayOptionsCommandTest, TheMenuCommandReachesTheActiveDocument) {
    WriteIni(GoodIni());
    MainFrame& frame = *Start().Frame();
    EXPECT_FALSE(frame.Action(CM_DISPLAYOPTIONS)->isEnabled());
    frame.MDIClient()->CmFileNew();
    ASSERT_TRUE(frame.Action(CM_DISPLAYOPTIONS)->isEnabled());
    bool shown = false;
    script = [&](QDialog& dialog) {
        shown = shown || dynamic_cast<DisplayOptionDialog*>(&dialog) != nullptr;
        return int(QDialog::Rejected);
    };
    frame.Command(CM_DISPLAYOPTIONS);
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace okap
