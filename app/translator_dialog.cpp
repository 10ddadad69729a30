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
#include <QValidator>
#include <QVBoxLayout>
#include <cmath>

#include "app/modal_dialog.h"
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

QLineEdit* AngleEdit(const std::string& text, const char* objectName, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(kTranslatorAngleLength);
    return edit;
}

QComboBox* NameCombo(const std::vector<std::string>& names, const std::string& selected, const char* objectName,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(std::max(0, combo->findText(QString::fromStdString(selected))));
    return combo;
}

// A label whose mnemonic moves to field.
QLabel* Buddy(const char* text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

std::string TextOf(const QLineEdit* edit) { return edit->text().toStdString(); }

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

// One translation with the wait cursor and a progress window; 1 on success.
int Translate(QWidget* parent, const TranslatorSettings& settings) {
    constexpr int kSteps = 1000;
    QProgressDialog progress(QString("Translating %1").arg(QString::fromStdString(settings.inputName)), "Cancel",
                             0, kSteps, parent);
    progress.setWindowTitle("Map Translator");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setValue(0);
    WaitCursor wait;
    return TranslateMap(settings, [&](double fraction) {
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
}

}  // namespace

std::vector<std::string> TranslatorInputFiles(const std::filesystem::path& dir) { return FindFiles("*.mp*", dir); }

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

    auto* origin = new QGroupBox("Projection Origin", this);
    originLongitudeEdit = AngleEdit(values.originLongitude, "originLongitude", origin);
    originLatitudeEdit = AngleEdit(values.originLatitude, "originLatitude", origin);
    auto* originForm = new QFormLayout(origin);
    originForm->addRow("L&ongitude", originLongitudeEdit);
    originForm->addRow("L&atitude", originLatitudeEdit);

    auto* resolution = new QGroupBox("Resolution", this);
    resolutionEdit = AngleEdit(values.resolution, "resolution", resolution);
    boundaryEdit = AngleEdit(values.boundarySpacing, "boundarySpacing", resolution);
    auto* resolutionForm = new QFormLayout(resolution);
    resolutionForm->addRow("&Min. resolution (deg)", resolutionEdit);
    resolutionForm->addRow("&Boundary Pts (deg)", boundaryEdit);

    // The region's edges where they lie on a map: north above, west left,
    // east right, south below. Made in reading order, which Tab follows.
    auto* region = new QGroupBox("Selected Region", this);
    northEdit = AngleEdit(values.north, "north", region);
    westEdit = AngleEdit(values.west, "west", region);
    eastEdit = AngleEdit(values.east, "east", region);
    southEdit = AngleEdit(values.south, "south", region);
    auto* regionGrid = new QGridLayout(region);
    regionGrid->addWidget(Buddy("&North", northEdit, region), 0, 2, Qt::AlignRight);
    regionGrid->addWidget(northEdit, 0, 3);
    regionGrid->addWidget(Buddy("&West", westEdit, region), 1, 0, Qt::AlignRight);
    regionGrid->addWidget(westEdit, 1, 1);
    regionGrid->addWidget(Buddy("&East", eastEdit, region), 1, 4, Qt::AlignRight);
    regionGrid->addWidget(eastEdit, 1, 5);
    regionGrid->addWidget(Buddy("&South", southEdit, region), 2, 2, Qt::AlignRight);
    regionGrid->addWidget(southEdit, 2, 3);

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
