#include "app/translator_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QValidator>
#include <QVBoxLayout>
#include <cmath>
#include <initializer_list>

#include "app/dialog_fields.h"
#include "app/modal_dialog.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"

namespace okap {

namespace {

// Turns what is typed into lower case.
class LowerCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toLower();
        return Acceptable;
    }
};

// An angle field: its label, the text it starts with, its object name and
// the member that keeps it.
struct AngleField {
    const char* label;
    const std::string& value;
    const char* objectName;
    QLineEdit*& edit;
};

// Makes the edit of field, kept in its member.
QLineEdit* AngleEdit(const AngleField& field, QWidget* parent) {
    field.edit = FieldEdit(field.value, kTranslatorAngleLength, field.objectName, parent);
    return field.edit;
}

// A group box titled title with fields under one another, each with its
// label in front.
QGroupBox* AngleGroup(const char* title, std::initializer_list<AngleField> fields, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    for (const AngleField& field : fields) form->addRow(field.label, AngleEdit(field, group));
    return group;
}

QComboBox* NameCombo(const std::vector<std::string>& names, const std::string& selected, const char* objectName,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(std::max(0, combo->findText(QString::fromStdString(selected))));
    return combo;
}

// The wait cursor while it lives; messages shown meanwhile (failures, the
// question whether to replace an existing output file) get the arrow.
class WaitCursor {
public:
    WaitCursor() {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        previous = SetMessageHandler([this](const Message& message) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
            const MessageResult result = previous ? previous(message) : PrintMessage(message);
            QApplication::restoreOverrideCursor();
            return result;
        });
    }
    ~WaitCursor() {
        SetMessageHandler(previous);
        QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    MessageHandler previous;
};

// One translation with the wait cursor; 1 on success. The settings are
// checked and the files opened first, so that a refusal or the question
// whether to replace the output comes alone; only then does the progress
// window show, and every message after that comes above it. The end is
// reported with what was written.
int Translate(QWidget* parent, const TranslatorSettings& settings) {
    WaitCursor wait;
    // The map files report a failure by setting badclient too, which would
    // make the next paint of a map window give up; a translation's failure
    // has been shown and concerns no window.
    const int previousBadclient = badclient;
    const auto keepBadclient = qScopeGuard([previousBadclient] { badclient = previousBadclient; });
    MapTranslation translation;
    if (!translation.Start(settings)) return 0;

    constexpr int kSteps = 1000;
    QProgressDialog progress(QString("Translating %1").arg(QString::fromStdString(settings.inputName)), "Cancel",
                             0, kSteps, parent);
    progress.setWindowTitle("Map Translator");
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    progress.show();
    const int done = translation.Run([&](double fraction) {
        const int value = static_cast<int>(std::lround(fraction * kSteps));
        if (value != progress.value()) {
            // The progress window lets other windows paint while it is
            // brought up to date, and drawing may enter other directories;
            // the translator works by bare names in the current one.
            std::error_code ignored;
            const std::filesystem::path here = std::filesystem::current_path(ignored);
            progress.setValue(value);
            std::filesystem::current_path(here, ignored);
        }
        return !progress.wasCanceled();
    });
    progress.close();
    if (done) MessageBox(TranslationDoneText(translation.Summary()), "Map Translator", MessageButtons::Ok,
                         MessageIcon::Information);
    return done;
}

}  // namespace

std::vector<std::string> TranslatorInputFiles(const std::filesystem::path& dir) { return FindFiles("*.mp*", dir); }

std::string TranslationDoneText(const TranslationSummary& summary) {
    auto counted = [](int64_t n, const char* one, const char* many) {
        return FormatInt(n) + ' ' + (n == 1 ? one : many);
    };
    return "Translation done: " + counted(summary.segmentsWritten, "segment", "segments") + " and " +
           counted(summary.pointsWritten, "point", "points") + " written to " + summary.outputFile;
}

TranslatorDialog::TranslatorDialog(const std::vector<std::string>& inputFiles, const TranslatorSettings& values,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Map Translator");

    inputCombo = NameCombo(inputFiles, values.inputName, "inputFile", this);
    outputEdit = new QLineEdit(this);
    outputEdit->setObjectName("outputFile");
    outputEdit->setMaxLength(kTranslatorOutputLength);
    outputEdit->setValidator(new LowerCaseValidator(outputEdit));
    outputEdit->setText(QString::fromStdString(values.outputName));
    projectionCombo = NameCombo({Projections.begin(), Projections.end()}, values.projectionName, "projection", this);
    auto* files = new QFormLayout;
    files->addRow("&Input Map File", inputCombo);
    files->addRow("O&utput Map File", outputEdit);
    files->addRow("&Projection Type", projectionCombo);

    QGroupBox* origin = AngleGroup("Projection Origin",
                                   {{"L&ongitude", values.originLongitude, "originLongitude", originLongitudeEdit},
                                    {"L&atitude", values.originLatitude, "originLatitude", originLatitudeEdit}},
                                   this);
    QGroupBox* resolution =
        AngleGroup("Resolution",
                   {{"&Min. resolution (deg)", values.resolution, "resolution", resolutionEdit},
                    {"&Boundary Pts (deg)", values.boundarySpacing, "boundarySpacing", boundaryEdit}},
                   this);

    // The region's edges where they lie on a map: north above, west left,
    // east right, south below, each label in the column before its field.
    // Made in reading order, which Tab follows.
    auto* region = new QGroupBox("Selected Region", this);
    auto* regionGrid = new QGridLayout(region);
    const struct {
        AngleField field;
        int row;
        int column;
    } edges[] = {{{"&North", values.north, "north", northEdit}, 0, 2},
                 {{"&West", values.west, "west", westEdit}, 1, 0},
                 {{"&East", values.east, "east", eastEdit}, 1, 4},
                 {{"&South", values.south, "south", southEdit}, 2, 2}};
    for (const auto& [field, row, column] : edges) {
        QLineEdit* edit = AngleEdit(field, region);
        regionGrid->addWidget(Buddy(field.label, edit), row, column, Qt::AlignRight);
        regionGrid->addWidget(edit, row, column + 1);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TranslatorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TranslatorDialog::reject);

    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(origin);
    settingsRow->addWidget(resolution);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addLayout(settingsRow);
    layout->addWidget(region);
    layout->addWidget(buttons);
}

TranslatorSettings TranslatorDialog::Values() const {
    TranslatorSettings values;
    values.inputName = inputCombo->currentText().toStdString();
    values.outputName = TextOf(outputEdit);
    values.projectionName = projectionCombo->currentText().toStdString();
    values.originLongitude = TextOf(originLongitudeEdit);
    values.originLatitude = TextOf(originLatitudeEdit);
    values.resolution = TextOf(resolutionEdit);
    values.boundarySpacing = TextOf(boundaryEdit);
    values.west = TextOf(westEdit);
    values.east = TextOf(eastEdit);
    values.north = TextOf(northEdit);
    values.south = TextOf(southEdit);
    return values;
}

void RunMapTranslator(QWidget* parent, const std::string& mapPath) {
    if (SetWD(mapPath) != 0) {
        ShowError("Map file path does not exist");
        return;
    }
    const std::vector<std::string> inputs = TranslatorInputFiles(".");
    TranslatorSettings settings;
    if (!inputs.empty()) settings.inputName = inputs.front();
    for (;;) {
        TranslatorDialog dialog(inputs, settings, parent);
        if (ExecModal(dialog) != QDialog::Accepted) return;
        settings = dialog.Values();
        if (Translate(parent, settings)) return;
    }
}

}  // namespace okap
