// File > Import and File > Export: the Import dialog driven through its
// widgets on real datasets, where the imported map goes, and the export of
// a document's map layers.

#include "app/dialogs/translator/import_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "app/app_fixture.h"
#include "app/frame/command_ids.h"
#include "app/frame/main_frame.h"
#include "app/frame/map_window.h"
#include "app/frame/mdi_child.h"
#include "app/frame/mdi_client.h"
#include "datasets/dataset_contents.h"
#include "datasets/import_styles.h"
#include "platform/message_box.h"

namespace okap {
namespace {

namespace fs = std::filesystem;

// A GeoJSON feature: a polygon of ring (longitude, latitude pairs) or, with
// a single pair, a point.
std::string Feature(const std::string& properties, const std::string& coordinates, bool point = false) {
    return std::string(R"({"type":"Feature","properties":{)") + properties + R"(},"geometry":{"type":")" +
           (point ? "Point" : "Polygon") + R"(","coordinates":)" + coordinates + "}}";
}

std::string Collection(const std::vector<std::string>& features) {
    std::string text = R"({"type":"FeatureCollection","features":[)";
    for (size_t i = 0; i < features.size(); ++i) text += (i ? "," : "") + features[i];
    return text + "]}";
}

// Two continents of large squares, the first left of the prime meridian.
std::string Continents() {
    return Collection({Feature(R"("name":"West","continent":"Americas")",
                               "[[[-60,-40],[-10,-40],[-10,40],[-60,40],[-60,-40]]]"),
                       Feature(R"("name":"East","continent":"Europe")", "[[[10,-40],[60,-40],[60,40],[10,40],[10,-40]]]"),
                       Feature(R"("name":"South","continent":"Americas")",
                               "[[[-60,-60],[-10,-60],[-10,-45],[-60,-45],[-60,-60]]]")});
}

// Pixels of colour in image.
int Count(const QImage& image, Colour colour) {
    const QRgb rgb = qRgb(colour.Red(), colour.Green(), colour.Blue());
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == rgb;
    return count;
}

class ImportExportTest : public test::AppFixture {
protected:
    ImportExportTest() {
        WriteIni(GoodIni());
        dir.Write("continents.geojson", Continents());
    }

    std::string Dataset(const char* name) const { return (dir / name).string(); }
    MainFrame& Frame() { return *application->Frame(); }

    // The Import dialog's script: chooses the dataset, then does what fill
    // says and presses OK; afterwards clicks the choice's button named
    // choice. The dialog comes only once.
    void ImportScript(const std::string& dataset, std::function<void(ImportDialog&)> fill, const char* choice) {
        script = [=, this](QDialog& dialog) {
            if (auto* import = dynamic_cast<ImportDialog*>(&dialog)) {
                import->findChild<QLineEdit*>("dataset")->setText(QString::fromStdString(dataset));
                import->ChooseDataset(QString::fromStdString(dataset));
                if (fill) fill(*import);
                import->accept();
                return import->result();
            }
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (box == nullptr) return int(QDialog::Rejected);
            offeredChoices.clear();
            for (QAbstractButton* button : box->buttons()) offeredChoices.push_back(button->objectName().toStdString());
            choiceText = box->text().toStdString();
            box->findChild<QPushButton*>(choice)->click();
            return box->result();
        };
    }

    static void ByContinent(ImportDialog& dialog) {
        auto* typeField = dialog.findChild<QComboBox*>("typeField");
        typeField->setCurrentIndex(typeField->findText("continent"));
        auto* nameField = dialog.findChild<QComboBox*>("nameField");
        nameField->setCurrentIndex(nameField->findText("name"));
    }

    std::vector<std::string> offeredChoices;
    std::string choiceText;
};

TEST_F(ImportExportTest, ImportsATypeFieldIntoTheActiveDocumentWhereItDraws) {
    Start();
    okapMDIChild* document = Frame().MDIClient()->NewDocument();
    MessageRecorder messages;
    std::vector<std::string> preview;
    std::string output;
    ImportScript(Dataset("continents.geojson"),
                 [&](ImportDialog& dialog) {
                     ByContinent(dialog);
                     EXPECT_TRUE(dialog.findChild<QRadioButton*>("typeByField")->isChecked());
                     const auto* list = dialog.findChild<QListWidget*>("typePreview");
                     for (int i = 0; i < list->count(); ++i) preview.push_back(list->item(i)->text().toStdString());
                     output = dialog.findChild<QLineEdit*>("outputFile")->text().toStdString();
                 },
                 "addToDocument");
    Frame().Command(CM_FILEIMPORT);

    EXPECT_EQ(preview, (std::vector<std::string>{"1  Americas", "2  Europe"}));
    EXPECT_EQ(output, "contine") << "named after the dataset";
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    EXPECT_EQ(offeredChoices, (std::vector<std::string>{"addToDocument", "newDocument", "close"}));
    EXPECT_EQ(choiceText.rfind("Imported 3 features: 3 imported, 0 skipped, 0 without geometry.\n2 feature types, 3 segments", 0), 0u)
        << choiceText;
    ASSERT_TRUE(fs::exists(dir / "maps" / "contine.mpb"));
    ASSERT_TRUE(fs::exists(dir / "maps" / "contine.okf"));

    ASSERT_EQ(Frame().MDIClient()->Children().size(), 1);
    const MapDocument& map = document->Document();
    ASSERT_EQ(map.mapLayerCount, 1);
    EXPECT_EQ(map.mapLayers[0], (okapFileInfo{"contine.mpb", "contine.okf"}));
    // Both types drawn in their own fills, Americas the larger.
    document->View()->WaitForPicture();
    const QImage& picture = document->View()->Picture();
    const int americas = Count(picture, ImportedTypeStyle(0, true).fillColour);
    const int europe = Count(picture, ImportedTypeStyle(1, true).fillColour);
    EXPECT_GT(europe, 100);
    EXPECT_GT(americas, europe);
    EXPECT_TRUE(Frame().Action(CM_FILEEXPORT)->isEnabled());
}

TEST_F(ImportExportTest, ADialogStartsWithTheBaseMapsProjectionAndAnotherCannotJoinIt) {
    Start();
    okapMDIChild* document = Frame().MDIClient()->NewDocument();
    const auto projectionOf = [](ImportDialog& dialog) { return dialog.findChild<QComboBox*>("projection"); };
    ImportScript(Dataset("continents.geojson"),
                 [&](ImportDialog& dialog) {
                     projectionOf(dialog)->setCurrentIndex(projectionOf(dialog)->findText("Miller Cylindrical"));
                     dialog.findChild<QLineEdit*>("originLongitude")->setText("20");
                 },
                 "addToDocument");
    Frame().Command(CM_FILEIMPORT);
    ASSERT_EQ(document->Document().mapLayerCount, 1);

    // The next import starts with that projection and origin; another
    // projection is offered a new document only.
    std::string shownProjection;
    std::string shownLongitude;
    ImportScript(Dataset("continents.geojson"),
                 [&](ImportDialog& dialog) {
                     shownProjection = projectionOf(dialog)->currentText().toStdString();
                     shownLongitude = dialog.findChild<QLineEdit*>("originLongitude")->text().toStdString();
                     dialog.findChild<QLineEdit*>("outputFile")->setText("other");
                     projectionOf(dialog)->setCurrentIndex(projectionOf(dialog)->findText("Polyconic"));
                 },
                 "close");
    Frame().Command(CM_FILEIMPORT);
    EXPECT_EQ(shownProjection, "Miller Cylindrical");
    EXPECT_EQ(std::stod(shownLongitude), 20.0);
    EXPECT_EQ(offeredChoices, (std::vector<std::string>{"newDocument", "close"}));
    EXPECT_NE(choiceText.find("Its projection is not that of the base map of Document0"), std::string::npos)
        << choiceText;
    EXPECT_EQ(document->Document().mapLayerCount, 1);
}

TEST_F(ImportExportTest, WithoutADocumentTheImportOpensInANewOneFittedWhole) {
    Start();
    MessageRecorder messages;
    ImportScript(Dataset("continents.geojson"), nullptr, "newDocument");
    Frame().Command(CM_FILEIMPORT);

    EXPECT_EQ(offeredChoices, (std::vector<std::string>{"newDocument", "close"}));
    ASSERT_EQ(Frame().MDIClient()->Children().size(), 1);
    okapMDIChild* document = Frame().MDIClient()->ActiveChild();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Document().mapLayers[0], (okapFileInfo{"contine.mpb", "contine.okf"}));
    // One type for all, drawn; fitted, so the map reaches both sides.
    document->View()->WaitForPicture();
    const QImage& picture = document->View()->Picture();
    EXPECT_GT(Count(picture, ImportedTypeStyle(0, true).fillColour), 100);
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
}

TEST_F(ImportExportTest, PreviewShowsAsManyTypesAsAFormatHoldsAndMore) {
    std::vector<std::string> places;
    for (int i = 0; i < kMaxFeatures + 1; ++i)
        places.push_back(Feature(R"("place":"P)" + std::to_string(i) + R"(","kind":"town")", "[1,2]", true));
    dir.Write("places.geojson", Collection(places));
    Start();
    ImportDialog dialog({}, Path("maps"), nullptr);
    dialog.findChild<QLineEdit*>("dataset")->setText(QString::fromStdString(Dataset("places.geojson")));
    dialog.ChooseDataset(QString::fromStdString(Dataset("places.geojson")));
    auto* typeField = dialog.findChild<QComboBox*>("typeField");
    const auto* list = dialog.findChild<QListWidget*>("typePreview");
    // One type for all at first: the layer's name.
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "1  places");

    // The first field is chosen already: choosing types by field shows it.
    ASSERT_EQ(typeField->currentText(), "place");
    dialog.findChild<QRadioButton*>("typeByField")->click();
    ASSERT_EQ(list->count(), kMaxFeatures + 1);
    EXPECT_EQ(list->item(0)->text(), "1  P0");
    EXPECT_EQ(list->item(kMaxFeatures - 1)->text(), "100  P99");
    EXPECT_EQ(list->item(kMaxFeatures)->text(), "and more");

    typeField->setCurrentIndex(typeField->findText("kind"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "1  town");
    // Back to one type for all, with its number.
    dialog.findChild<QRadioButton*>("typeNumber")->click();
    dialog.findChild<QSpinBox*>("type")->setValue(7);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "7  places");
    // The layer list names the geometry and the count.
    EXPECT_EQ(dialog.findChild<QComboBox*>("layer")->currentText(), "places (Point, 101 features)");
}

TEST_F(ImportExportTest, ADatasetThatCannotBeOpenedKeepsTheDialogWithTheMessage) {
    dir.Write("broken.geojson", "{ not json");
    Start();
    MessageRecorder messages;
    const std::string broken = Dataset("broken.geojson");
    int result = -1;
    std::string datasetAfter;
    ImportScript(broken, [&](ImportDialog& dialog) { dialog.findChild<QLineEdit*>("where")->setText("pop > 5"); },
                 "close");
    const auto importScript = script;
    script = [&](QDialog& dialog) {
        result = importScript(dialog);
        datasetAfter = dialog.findChild<QLineEdit*>("dataset")->text().toStdString();
        EXPECT_EQ(dialog.findChild<QLineEdit*>("where")->text(), "pop > 5");
        return result;
    };
    Frame().Command(CM_FILEIMPORT);

    EXPECT_EQ(result, int(QDialog::Rejected)) << "OK did not close the dialog";
    EXPECT_EQ(datasetAfter, broken);
    // Once as the dataset was chosen, once more on OK.
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const Message& message : messages.messages) {
        EXPECT_EQ(message.text.rfind("Error opening dataset : " + broken, 0), 0u) << message.text;
        EXPECT_EQ(message.caption, "Error");
    }
    EXPECT_TRUE(fs::is_empty(dir / "maps"));
    EXPECT_EQ(Frame().MDIClient()->Children().size(), 0);
}

TEST_F(ImportExportTest, NoticesOnManyFaultyFeaturesComeTogether) {
    // Six rings that cross themselves and one good square.
    std::vector<std::string> features;
    for (int i = 0; i < 6; ++i) {
        const std::string x = std::to_string(i * 5);
        features.push_back(Feature(R"("n":)" + std::to_string(i),
                                   "[[[" + x + ",0],[" + x + ",2],[" + x + "+2,0],[" + x + "+2,2],[" + x + ",0]]]"));
    }
    features.push_back(Feature(R"("n":6)", "[[[0,10],[2,10],[2,12],[0,12],[0,10]]]"));
    std::string text = Collection(features);
    // "x+2" written out.
    for (int i = 0; i < 6; ++i) {
        const std::string sum = std::to_string(i * 5) + "+2";
        for (size_t at = text.find(sum); at != std::string::npos; at = text.find(sum))
            text.replace(at, sum.size(), std::to_string(i * 5 + 2));
    }
    dir.Write("faulty.geojson", text);
    Start();
    MessageRecorder messages;
    ImportScript(Dataset("faulty.geojson"), nullptr, "close");
    Frame().Command(CM_FILEIMPORT);

    const std::vector<std::string> texts = messages.Texts();
    ASSERT_EQ(texts.size(), 4u) << ::testing::PrintToString(texts);
    for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(texts[i].ends_with("; the feature is skipped")) << texts[i];
    EXPECT_EQ(texts[3].rfind("3 more features with faulty geometry:\nDataset ", 0), 0u) << texts[3];
    EXPECT_EQ(std::count(texts[3].begin(), texts[3].end(), '\n'), 3);
    EXPECT_EQ(choiceText.rfind("Imported 7 features: 1 imported, 6 skipped", 0), 0u) << choiceText;
}

TEST_F(ImportExportTest, CancelDuringTheImportLeavesNoFile) {
    // 400 squares of 2 degrees: the import reports its progress often.
    std::vector<std::string> squares;
    for (int i = 0; i < 400; ++i) {
        const int x = -170 + (i % 40) * 8;
        const int y = -60 + (i / 40) * 10;
        const auto p = [](int a, int b) { return "[" + std::to_string(a) + "," + std::to_string(b) + "]"; };
        squares.push_back(Feature(R"("n":)" + std::to_string(i),
                                  "[[" + p(x, y) + "," + p(x + 2, y) + "," + p(x + 2, y + 2) + "," + p(x, y + 2) + "," +
                                      p(x, y) + "]]"));
    }
    dir.Write("many.geojson", Collection(squares));
    Start();
    MessageRecorder messages;
    bool progressSeen = false;
    // Presses the progress window's Cancel as soon as it shows.
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress != nullptr && progress->isVisible()) {
                progressSeen = true;
                progress->cancel();
            }
        }
    });
    canceller.start(0);
    int result = -1;
    ImportScript(Dataset("many.geojson"), nullptr, "close");
    const auto importScript = script;
    script = [&](QDialog& dialog) { return result = importScript(dialog); };
    Frame().Command(CM_FILEIMPORT);
    canceller.stop();

    EXPECT_TRUE(progressSeen);
    EXPECT_EQ(result, int(QDialog::Rejected)) << "the dialog stays after a stop";
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    EXPECT_TRUE(fs::is_empty(dir / "maps")) << "no map file, no format file, no temporary file";
}

TEST_F(ImportExportTest, ExportWritesTheDocumentsLayersAsReadableDatasets) {
    Start();
    EXPECT_FALSE(Frame().Action(CM_FILEEXPORT)->isEnabled()) << "no document";
    okapMDIChild* document = Frame().MDIClient()->NewDocument();
    Frame().UpdateCommandEnabling();
    EXPECT_FALSE(Frame().Action(CM_FILEEXPORT)->isEnabled()) << "no map layer";
    ImportScript(Dataset("continents.geojson"), ByContinent, "addToDocument");
    Frame().Command(CM_FILEIMPORT);
    ASSERT_EQ(document->Document().mapLayerCount, 1);
    ASSERT_TRUE(Frame().Action(CM_FILEEXPORT)->isEnabled());

    MessageRecorder messages;
    const std::string output = (dir / "out.gpkg").string();
    std::string filter;
    script = [&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (files == nullptr) return int(QDialog::Rejected);
        filter = files->nameFilters().join(";;").toStdString();
        files->selectFile(QString::fromStdString(output));
        return int(QDialog::Accepted);
    };
    Frame().Command(CM_FILEEXPORT);

    EXPECT_EQ(filter, "GeoJSON (*.geojson);;GeoPackage (*.gpkg);;ESRI Shapefile (*.shp);;FlatGeobuf (*.fgb)");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Export done: 3 features written to\n" + output);
    EXPECT_EQ(messages.messages[0].caption, "Export");
    // Readable, with the feature names of the format file.
    const auto layers = DatasetLayers(output);
    ASSERT_TRUE(layers);
    ASSERT_EQ(layers->size(), 1u);
    EXPECT_EQ(layers->front().features, 3);
    const auto names = FieldValues({output, "", ""}, "feature", 10);
    ASSERT_TRUE(names);
    EXPECT_EQ(names->values, (std::vector<std::string>{"Americas", "Europe"}));

    // A second layer: all of them go each to a file named after its map
    // file, in the folder and format chosen.
    ImportScript(Dataset("continents.geojson"),
                 [](ImportDialog& dialog) { dialog.findChild<QLineEdit*>("outputFile")->setText("second"); },
                 "addToDocument");
    Frame().Command(CM_FILEIMPORT);
    ASSERT_EQ(document->Document().mapLayerCount, 2);
    messages.messages.clear();
    QStringList offered;
    fs::create_directories(dir / "out");
    script = [&](QDialog& dialog) {
        if (auto* choice = qobject_cast<QInputDialog*>(&dialog)) {
            offered = choice->comboBoxItems();
            choice->setTextValue("All map layers");
            return int(QDialog::Accepted);
        }
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (files == nullptr) return int(QDialog::Rejected);
        files->selectFile(QString::fromStdString((dir / "out" / "any.fgb").string()));
        return int(QDialog::Accepted);
    };
    Frame().Command(CM_FILEEXPORT);
    EXPECT_EQ(offered, (QStringList{"contine.mpb (contine.okf)", "second.mpb (second.okf)", "All map layers"}));
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Export done: 6 features written to\n" +
                                                         (dir / "out" / "contine.fgb").string() + "\n" +
                                                         (dir / "out" / "second.fgb").string()});
    for (const char* file : {"contine.fgb", "second.fgb"}) {
        const auto written = DatasetLayers((dir / "out" / file).string());
        ASSERT_TRUE(written) << file;
        EXPECT_EQ(written->front().features, 3) << file;
    }
    EXPECT_FALSE(fs::exists(dir / "out" / "any.fgb"));
}

}  // namespace
}  // namespace okap
