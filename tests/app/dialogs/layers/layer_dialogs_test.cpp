// The layer dialogs and the Map Layers and Data Layers commands: the lists
// of a document's layers, the base map's projection and the choice of map
// files that share it, the file-and-style dialogs, and what OK and Cancel
// leave in the document.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QStatusBar>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/layers/data_format_dialog.h"
#include "app/dialogs/layers/data_layer_dialog.h"
#include "app/dialogs/display/data_option_dialog.h"
#include "app/dialogs/layers/map_layer_dialog.h"
#include "app/dialogs/display/map_option_dialog.h"
#include "app/frame/map_window.h"
#include "app/dialogs/styles/map_style_dialog.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "core/globals.h"
#include "mapfiles/map_fixtures.h"
#include "platform/message_box.h"
#include "styles/map_format.h"
#include "support/temp_dir.h"
#include "view/map_view.h"

namespace okap {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kDegree = 1111200;  // angle units

// A binary map file with one point segment of each type. Its region runs
// from 180 W to east, so that east beyond 180 E gives offset mode 2.
std::string MapFile(const char* projection, const std::vector<int>& types, int32_t originLon = 0,
                    int32_t originLat = 0, int32_t east = 180 * kDegree) {
    test::MapLayout map;
    map.projection = projection;
    map.originLon = originLon;
    map.originLat = originLat;
    map.west = -180 * kDegree;
    map.north = 80 * kDegree;
    map.east = east;
    map.south = -80 * kDegree;
    for (int type : types) {
        test::SegmentLayout segment;
        segment.type = type;
        segment.storedCount = 1;
        segment.points = {{0, 0}};
        map.segments.push_back(segment);
    }
    return test::BuildMap(map);
}

// A data format file with no symbol classes, which draws nothing.
constexpr char kEmptyDataFormat[] =
    "Format type        = 0\r\n"
    "Number of symbols  = 0\r\n"
    "Legend             = 0\r\n"
    "Legend name        = Legend\r\n"
    "Legend name style  = 1 \"Arial\" 0 0 0 0 0 12 0 0 0.5 500 0 2 \r\n"
    "Legend border plot style = 1 0 0 0 1 0 255 255 255 99\r\n"
    "Legend border position   = 0.05 0.50 0.4 0.95\r\n"
    "Legend columns     = 1\r\n"
    "Symbol join style  = 0 0 0 0 1 0 0 0 0 99\r\n";

// A map format file with a feature line for each number.
std::string FormatFile(const std::vector<int>& numbers) {
    std::string text = "[Features]\r\n";
    for (int n : numbers) text += "F" + std::to_string(n) + " = Feature : 1 0 0 0 1 0 255 255 255 99\r\n";
    return text;
}

// Every message of the layer dialogs: caption "Error", an OK button.
Message Error(const std::string& text) { return {text, "Error", MessageButtons::Ok, MessageIcon::Stop}; }

class LayerDialogsTest : public ::testing::Test {
protected:
    LayerDialogsTest() {
        fs::create_directories(dir / "maps");
        fs::create_directories(dir / "data");
        ResetGlobals();
        application.mapPath = (dir / "maps").string();
        application.dataPath = (dir / "data").string();
        app = &application;
        SetModalDialogRunner([this](QDialog& dialog) {
            if (script.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                return int(QDialog::Rejected);
            }
            const auto step = std::move(script.front());
            script.pop_front();
            return step(dialog);
        });
    }
    ~LayerDialogsTest() override {
        EXPECT_TRUE(script.empty()) << script.size() << " scripted dialogs were not shown";
        SetModalDialogRunner({});
        app = nullptr;
        ResetGlobals();
    }

    void Write(const std::string& name, const std::string& contents) { dir.Write(name, contents); }

    static void SetLayers(okapMDIChild& window, const std::vector<okapFileInfo>& layers) {
        MapDocument& doc = window.Document();
        for (size_t i = 0; i < layers.size(); ++i) doc.mapLayers[i] = layers[i];
        doc.mapLayerCount = static_cast<int>(layers.size());
    }

    static MapLayerDialogTB MapTransfer(okapMDIChild& window) {
        MapLayerDialogTB transfer;
        transfer.layers = LayerList(window.Document().mapLayers, window.Document().mapLayerCount);
        return transfer;
    }
    static DataLayerDialogTB DataTransfer(okapMDIChild& window) {
        return {LayerList(window.Document().dataLayers, window.Document().dataLayerCount)};
    }

    // The next dialog must be a Dialog; step plays the user on it.
    template <class Dialog, class Step>
    void Expect(Step step) {
        script.push_back([step](QDialog& dialog) {
            auto* typed = dynamic_cast<Dialog*>(&dialog);
            if (!typed) {
                ADD_FAILURE() << "another dialog than expected: " << dialog.windowTitle().toStdString();
                return int(QDialog::Rejected);
            }
            return step(*typed);
        });
    }

    static void SelectRow(QDialog& dialog, int row) { dialog.findChild<QListWidget*>("layerList")->setCurrentRow(row); }
    // Picks name in the drop-down list box ("files" or "styles") as a user would.
    static void Choose(QDialog& dialog, const char* box, const char* name) {
        auto* combo = dialog.findChild<QComboBox*>(box);
        const int index = combo->findText(name);
        ASSERT_GE(index, 0) << name;
        combo->setCurrentIndex(index);
    }

    test::TempDir dir;
    okapApp application;
    okapMDIChild window{"Document0", ""};
    std::deque<std::function<int(QDialog&)>> script;
};

// Five map files: a.mpb is the base map; Bay.mpb shares its projection;
// c.mpb is Miller, d.mpb has its origin at 10 E and e.mpb reaches beyond
// 180 E (offset mode 2). land.okf fits the maps of feature 1 alone,
// roads.okf those of features 1 and 2.
TEST_F(LayerDialogsTest, EditOffersTheBaseMapsProjectionOnlyAndTheFirstNewOffersEveryMap) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/Bay.mpb", MapFile("MERC", {1, 2}));
    Write("maps/c.mpb", MapFile("MILC", {1, 2}));
    Write("maps/d.mpb", MapFile("MERC", {1}, 10 * kDegree));
    Write("maps/e.mpb", MapFile("MERC", {1}, 0, 0, 190 * kDegree));
    Write("maps/land.okf", FormatFile({1}));
    Write("maps/roads.okf", FormatFile({1, 2}));

    // An existing layer: the maps of the base map's projection, origin and
    // offset mode; the current names selected, letter case aside.
    SetLayers(window, {{"a.mpb", "land.okf"}, {"bay.mpb", "roads.okf"}});
    MapLayerDialog dialog(MapTransfer(window), window);
    MapStyleDialogTB offered;
    Expect<MapStyleDialog>([&](MapStyleDialog& style) {
        offered = style.Transfer();
        return int(QDialog::Rejected);
    });
    SelectRow(dialog, 1);
    dialog.HandleEdit();
    EXPECT_EQ(offered.mapFiles, (ListData{{"a.mpb", "Bay.mpb"}, 1}));
    // The formats that fit Bay.mpb.
    EXPECT_EQ(offered.styles, (ListData{{"roads.okf"}, 0}));
    EXPECT_EQ(dialog.Layers(), (ListData{{"a.mpb [land.okf]", "bay.mpb [roads.okf]"}, 1}));

    // The first layer of a new map: every map file, the first found
    // selected. Choosing another map file lists the formats that fit it.
    okapMDIChild fresh("Document1", "");
    MapLayerDialog first(MapTransfer(fresh), fresh);
    Expect<MapStyleDialog>([&](MapStyleDialog& style) {
        offered = style.Transfer();
        Choose(style, "files", "c.mpb");
        EXPECT_EQ(style.Styles(), (ListData{{"roads.okf"}, 0}));
        return int(QDialog::Accepted);
    });
    first.HandleNew();
    EXPECT_EQ(offered.mapFiles, (ListData{{"a.mpb", "Bay.mpb", "c.mpb", "d.mpb", "e.mpb"}, 0}));
    EXPECT_EQ(offered.styles, (ListData{{"land.okf"}, 0}));
    EXPECT_EQ(first.Layers(), (ListData{{"c.mpb [roads.okf]"}, 0}));
    EXPECT_EQ(fresh.Document().mapLayerCount, 1);
    // The chosen map is the base map now.
    EXPECT_EQ(first.Transfer().projectionType, "Miller Cylindrical");
}

TEST_F(LayerDialogsTest, TheProjectionFieldsShowTheBaseMap) {
    struct Row {
        const char* code;
        int32_t originLon, originLat, east;
        MapLayerDialogTB shown;
    };
    // Names from the projection table (an unknown code counts as the first,
    // Mercator), origins as "%lf" of the degrees (10.5 x 1111200 =
    // 11667600), offset mode 2 for a region beyond 180 E.
    const Row rows[] = {
        {"UPST", 11667600, 45 * kDegree, 190 * kDegree,
         {{}, "Universal Polar Stereographic", "10.500000", "45.000000", "2"}},
        {"MILC", -20 * kDegree, 0, 180 * kDegree, {{}, "Miller Cylindrical", "-20.000000", "0.000000", "1"}},
        {"XXXX", 0, 0, 180 * kDegree, {{}, "Mercator Cylindrical", "0.000000", "0.000000", "1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        Write("maps/base.mpb", MapFile(row.code, {1}, row.originLon, row.originLat, row.east));
        SetLayers(window, {{"base.mpb", "land.okf"}});
        MapLayerDialog dialog(MapTransfer(window), window);
        MapLayerDialogTB shown = dialog.Transfer();
        EXPECT_EQ(shown.layers, (ListData{{"base.mpb [land.okf]"}, 0}));
        EXPECT_EQ(shown.projectionType, row.shown.projectionType);
        EXPECT_EQ(shown.originLongitude, row.shown.originLongitude);
        EXPECT_EQ(shown.originLatitude, row.shown.originLatitude);
        EXPECT_EQ(shown.projectionOffset, row.shown.projectionOffset);

        // Deleting the last layer blanks them.
        dialog.HandleDelete();
        shown = dialog.Transfer();
        EXPECT_EQ(window.Document().mapLayerCount, 0);
        for (const std::string* text :
             {&shown.projectionType, &shown.originLongitude, &shown.originLatitude, &shown.projectionOffset}) {
            EXPECT_EQ(*text, " ");
        }
    }
}

TEST_F(LayerDialogsTest, OkWithoutAMapLayerAsksForABaseMapAndCancelRestoresTheLayers) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/b.mpb", MapFile("MERC", {1}));
    Write("maps/land.okf", FormatFile({1}));
    const std::vector<okapFileInfo> layers = {{"a.mpb", "land.okf"}, {"b.mpb", "land.okf"}};
    SetLayers(window, layers);

    Expect<MapLayerDialog>([&](MapLayerDialog& dialog) {
        EXPECT_EQ(noredraw, 1);
        dialog.HandleDelete();
        // Nothing is selected after a Delete: New, Edit and Delete do
        // nothing (no dialog is scripted for them).
        dialog.HandleDelete();
        dialog.HandleNew();
        dialog.HandleEdit();
        EXPECT_EQ(dialog.Layers(), (ListData{{"b.mpb [land.okf]"}, -1}));
        EXPECT_EQ(window.Document().mapLayerCount, 1);
        SelectRow(dialog, 0);
        dialog.HandleDelete();
        return int(QDialog::Accepted);
    });
    // The dialog again, on the emptied list.
    Expect<MapLayerDialog>([&](MapLayerDialog& dialog) {
        EXPECT_EQ(dialog.Layers(), (ListData{{}, -1}));
        EXPECT_EQ(dialog.Transfer().projectionType, " ");
        EXPECT_EQ(window.Document().mapLayerCount, 0);
        return int(QDialog::Rejected);
    });
    MessageRecorder messages;
    window.CMMapLayers();
    EXPECT_EQ(messages.messages, std::vector<Message>{Error("Error - please add at least one base map")});
    EXPECT_EQ(window.Document().mapLayerCount, 2);
    EXPECT_EQ(window.Document().mapLayers[0], layers[0]);
    EXPECT_EQ(window.Document().mapLayers[1], layers[1]);
    EXPECT_EQ(window.Document().modified, 1);
    EXPECT_EQ(noredraw, 0);
}

TEST_F(LayerDialogsTest, NewCopiesTheSelectedLayerBelowItAndIsRefusedAtTwenty) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/Bay.mpb", MapFile("MERC", {1, 2}));
    Write("maps/land.okf", FormatFile({1}));
    Write("maps/other.okf", FormatFile({1}));
    Write("maps/roads.okf", FormatFile({1, 2}));
    SetLayers(window, {{"a.mpb", "land.okf"}, {"Bay.mpb", "roads.okf"}, {"a.mpb", "other.okf"}});

    Expect<MapLayerDialog>([&](MapLayerDialog& dialog) {
        SelectRow(dialog, 0);
        dialog.HandleNew();
        // Cancel in the file-and-style dialog keeps the copy.
        SelectRow(dialog, 2);
        dialog.HandleNew();
        EXPECT_EQ(dialog.Layers().selected, 3);
        return int(QDialog::Accepted);
    });
    // The copy of the first layer gets another format.
    Expect<MapStyleDialog>([&](MapStyleDialog& style) {
        EXPECT_EQ(style.Styles(), (ListData{{"land.okf", "other.okf"}, 0}));
        Choose(style, "styles", "other.okf");
        return int(QDialog::Accepted);
    });
    Expect<MapStyleDialog>([](MapStyleDialog&) { return int(QDialog::Rejected); });
    window.CMMapLayers();
    const MapDocument& doc = window.Document();
    ASSERT_EQ(doc.mapLayerCount, 5);
    const okapFileInfo expected[] = {
        {"a.mpb", "land.okf"}, {"a.mpb", "other.okf"}, {"Bay.mpb", "roads.okf"}, {"Bay.mpb", "roads.okf"},
        {"a.mpb", "other.okf"}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(doc.mapLayers[static_cast<size_t>(i)], expected[i]) << i;

    // A full table takes no more.
    SetLayers(window, std::vector<okapFileInfo>(kMaxMapLayers, {"a.mpb", "land.okf"}));
    MapLayerDialog dialog(MapTransfer(window), window);
    MessageRecorder messages;
    dialog.HandleNew();
    EXPECT_EQ(messages.messages, std::vector<Message>{Error("Sorry - maximum number of map layers reached")});
    EXPECT_EQ(dialog.Layers().names.size(), static_cast<size_t>(kMaxMapLayers));
    EXPECT_EQ(window.Document().mapLayerCount, kMaxMapLayers);
}

TEST_F(LayerDialogsTest, DataLayersOfferEveryFileAndAcceptNoLayers) {
    Write("data/x.dat", "10 50 5 \"A\"\r\n");
    Write("data/Y.dat", "20 40 7 \"B\"\r\n");
    Write("maps/p.okd", kEmptyDataFormat);
    Write("maps/q.okd", kEmptyDataFormat);

    // The first layer: the first data file and format found, then every
    // data file and every data format file on offer.
    DataLayerDialog dialog(DataTransfer(window), window);
    Expect<DataFormatDialog>([&](DataFormatDialog& style) {
        EXPECT_EQ(style.Transfer().dataFiles, (ListData{{"x.dat", "Y.dat"}, 0}));
        EXPECT_EQ(style.Transfer().styles, (ListData{{"p.okd", "q.okd"}, 0}));
        Choose(style, "files", "Y.dat");
        Choose(style, "styles", "q.okd");
        return int(QDialog::Accepted);
    });
    dialog.HandleNew();
    EXPECT_EQ(dialog.Layers(), (ListData{{"Y.dat [q.okd]"}, 0}));
    EXPECT_EQ(window.Document().dataLayerCount, 1);

    // Deleting every data layer and OK: no question, no data layers.
    window.Document().dataLayers[0] = {"x.dat", "p.okd"};
    window.Document().MarkSaved();
    Expect<DataLayerDialog>([&](DataLayerDialog& layers) {
        EXPECT_EQ(layers.Layers(), (ListData{{"x.dat [p.okd]"}, 0}));
        layers.HandleDelete();
        return int(QDialog::Accepted);
    });
    MessageRecorder messages;
    window.CMDataLayers();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(window.Document().dataLayerCount, 0);
    EXPECT_EQ(window.Document().modified, 1);

    // Cancel puts the count back.
    window.Document().dataLayerCount = 1;
    Expect<DataLayerDialog>([&](DataLayerDialog& layers) {
        layers.HandleDelete();
        return int(QDialog::Rejected);
    });
    window.CMDataLayers();
    EXPECT_EQ(window.Document().dataLayerCount, 1);
    EXPECT_EQ(window.Document().dataLayers[0], (okapFileInfo{"x.dat", "p.okd"}));
}

TEST_F(LayerDialogsTest, MissingDirectoriesAndFilesStopTheFirstNew) {
    struct Row {
        const char* what;
        bool data;                     // the data layer dialog, else the map layer dialog
        std::vector<const char*> files;  // made in the test's directory
        bool mapDirectory;
        bool dataDirectory;
        const char* message;
    };
    const Row rows[] = {
        {"no map directory", false, {}, false, true, "Map file path does not exist"},
        {"no map file", false, {"maps/land.okf"}, true, true, "No map files (.mpb) in current map file path"},
        {"no map format", false, {"maps/a.mpb"}, true, true, "No map format (.okf) files in current map file path"},
        {"no data directory", true, {}, true, false, "Data file path does not exist"},
        {"no data file", true, {"maps/p.okd"}, true, true, "No data files (.dat) in current data file path"},
        {"data, no map directory", true, {"data/x.dat"}, false, true, "Map file path does not exist"},
        {"no data format", true, {"data/x.dat"}, true, true, "No data format (.okd) files in current map file path"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::TempDir place;
        for (const char* folder : {"maps", "data"}) fs::create_directories(place / folder);
        for (const char* file : row.files) place.Write(file, "");
        application.mapPath = (place / (row.mapDirectory ? "maps" : "none")).string();
        application.dataPath = (place / (row.dataDirectory ? "data" : "none")).string();
        okapMDIChild fresh("Document1", "");
        badclient = 0;
        MessageRecorder messages;
        if (row.data) {
            DataLayerDialog dialog(DataTransfer(fresh), fresh);
            dialog.HandleNew();
            EXPECT_TRUE(dialog.Layers().names.empty());
        } else {
            MapLayerDialog dialog(MapTransfer(fresh), fresh);
            dialog.HandleNew();
            EXPECT_TRUE(dialog.Layers().names.empty());
        }
        EXPECT_EQ(messages.messages, std::vector<Message>{Error(row.message)});
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(fresh.Document().mapLayerCount + fresh.Document().dataLayerCount, 0);
    }
}

TEST_F(LayerDialogsTest, MapFilesThatCannotBeReadAreReportedAndTheDialogStaysUsable) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/land.okf", FormatFile({1}));

    // The map directory gone: the base projection cannot be read.
    SetLayers(window, {{"a.mpb", "land.okf"}});
    application.mapPath = (dir / "none").string();
    {
        MessageRecorder messages;
        MapLayerDialog dialog(MapTransfer(window), window);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Map file path does not exist"});
        EXPECT_EQ(badclient, 1);
        EXPECT_EQ(dialog.Transfer().projectionType, " ");
    }
    application.mapPath = (dir / "maps").string();
    badclient = 0;

    // A base map that is not there: the map file's own message, then the
    // dialog's; the view's next paint is not spoilt.
    SetLayers(window, {{"gone.mpb", "land.okf"}});
    {
        MessageRecorder messages;
        MapLayerDialog dialog(MapTransfer(window), window);
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_EQ(messages.Texts().back(), "Error opening map file gone.mpb");
        EXPECT_EQ(badclient, 0);
        EXPECT_EQ(dialog.Transfer().projectionType, " ");
    }

    // Broken map files among the candidates are left out of the Edit's
    // list without a message box, and named once in the status bar.
    Write("maps/broken.mpb", "not a map");
    Write("maps/Empty.mpb", "");
    Write("maps/b.mpb", MapFile("MERC", {1}));
    SetLayers(window, {{"a.mpb", "land.okf"}});
    QStatusBar statusBar;
    application.statusBar = &statusBar;
    MapLayerDialog dialog(MapTransfer(window), window);
    MessageRecorder messages;
    ListData offered;
    Expect<MapStyleDialog>([&](MapStyleDialog& style) {
        offered = style.Transfer().mapFiles;
        Choose(style, "files", "b.mpb");
        return int(QDialog::Accepted);
    });
    dialog.HandleEdit();
    EXPECT_TRUE(messages.messages.empty()) << messages.messages.at(0);
    EXPECT_EQ(statusBar.currentMessage().toStdString(),
              "Skipped map files whose header cannot be read: broken.mpb, Empty.mpb");
    EXPECT_EQ(badclient, 0);
    EXPECT_EQ(offered, (ListData{{"a.mpb", "b.mpb"}, 0}));
    EXPECT_EQ(dialog.Layers(), (ListData{{"b.mpb [land.okf]"}, 0}));
    application.statusBar = nullptr;
}

TEST_F(LayerDialogsTest, TheFormatEditorsRefillTheStyleList) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/land.okf", FormatFile({1}));

    // Map: New edits a new format for the chosen map file; once the editor
    // has saved one, the list is made again with it selected.
    MapStyleDialog style(MapStyleDialogTB{{{"a.mpb"}, 0}, {{"land.okf"}, 0}}, window);
    EXPECT_EQ(gformatfile, "land.okf");
    Expect<MapOptionDialog>([&](MapOptionDialog&) {
        EXPECT_EQ(gformatfile, kNewFormatName);
        EXPECT_EQ(gmapfile, "a.mpb");
        // What saving does: the file, and its name as the current format.
        Write("maps/fresh.okf", FormatFile({1}));
        gformatfile = "fresh.okf";
        return int(QDialog::Accepted);
    });
    style.HandleNew();
    EXPECT_EQ(style.Styles(), (ListData{{"fresh.okf", "land.okf"}, 0}));
    // Edit works on the selected format; Cancel leaves the list.
    Choose(style, "styles", "land.okf");
    Expect<MapOptionDialog>([&](MapOptionDialog&) {
        EXPECT_EQ(gformatfile, "land.okf");
        Write("maps/later.okf", FormatFile({1}));
        return int(QDialog::Rejected);
    });
    style.HandleEdit();
    EXPECT_EQ(style.Styles(), (ListData{{"fresh.okf", "land.okf"}, 1}));

    // Data: the format saved by the editor is selected in the list made
    // again from the map directory.
    Write("data/x.dat", "10 50 5 \"A\"\r\n");
    Write("maps/p.okd", kEmptyDataFormat);
    DataFormatDialog data(DataFormatDialogTB{{{"x.dat"}, 0}, {{"p.okd"}, 0}}, window);
    Expect<DataOptionDialog>([](DataOptionDialog&) { return int(QDialog::Accepted); });
    Expect<QFileDialog>([&](QFileDialog& save) {
        save.selectFile(QString::fromStdString((dir / "maps/New.okd").string()));
        return int(QDialog::Accepted);
    });
    data.HandleNew();
    EXPECT_TRUE(fs::exists(dir / "maps/New.okd"));
    EXPECT_EQ(data.Styles(), (ListData{{"New.okd", "p.okd"}, 0}));
}

TEST_F(LayerDialogsTest, FileNewStartsWithTheChoiceOfTheBaseMap) {
    Write("maps/a.mpb", MapFile("MERC", {1}));
    Write("maps/land.okf", FormatFile({1}));
    okapMDIClient client;
    client.resize(800, 600);
    client.show();

    Expect<MapLayerDialog>([&](MapLayerDialog& dialog) {
        EXPECT_TRUE(dialog.Layers().names.empty());
        dialog.HandleNew();
        return int(QDialog::Accepted);
    });
    Expect<MapStyleDialog>([](MapStyleDialog&) { return int(QDialog::Accepted); });
    okapMDIChild* chosen = client.CmFileNew();
    EXPECT_EQ(chosen->Document().mapLayerCount, 1);
    EXPECT_EQ(chosen->Document().mapLayers[0], (okapFileInfo{"a.mpb", "land.okf"}));
    EXPECT_EQ(chosen->Document().modified, 1);
    // The first base map is shown whole: Full Scale fits it to the window.
    MapDocument fitted = chosen->Document();
    MapView(fitted, AppViewSettings()).FullScale();
    EXPECT_EQ(chosen->Document().scale, fitted.scale);
    EXPECT_EQ(chosen->Document().centre, fitted.centre);
    EXPECT_NE(chosen->Document().scale, 200000000);

    // Cancel: a map without layers, as it was made, so not changed.
    Expect<MapLayerDialog>([](MapLayerDialog&) { return int(QDialog::Rejected); });
    okapMDIChild* cancelled = client.CmFileNew();
    EXPECT_EQ(cancelled->Document().mapLayerCount, 0);
    EXPECT_EQ(cancelled->Document().modified, 0);
    EXPECT_EQ(noredraw, 0);
}

}  // namespace
}  // namespace okap
