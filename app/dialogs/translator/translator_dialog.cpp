#include "app/dialogs/translator/translator_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/wait_cursor.h"
#include "app/frame/work_progress.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "platform/directory_search.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"

namespace okap {

namespace {

QComboBox* NameCombo(const std::vector<std::string>& names, const std::string& selected, const char* objectName,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    for (const std::string& name : names) combo->addItem(QString::fromStdString(name));
    combo->setCurrentIndex(std::max(0, combo->findText(QString::fromStdString(selected))));
    return combo;
}

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

    WorkProgress progress(parent, "Map Translator",
                          QString("Translating %1").arg(QString::fromStdString(settings.inputName)));
    progress.Show();
    const int done = translation.Run(progress.Callback());
    progress.Close();
    if (done) MessageBox(TranslationDoneText(translation.Summary()), "Map Translator", MessageButtons::Ok,
                         MessageIcon::Information);
    return done;
}

}  // namespace

std::vector<std::string> TranslatorInputFiles(const std::filesystem::path& dir) { return FindFiles("*.mp*", dir); }

TranslatorDialog::TranslatorDialog(const std::vector<std::string>& inputFiles, const TranslatorSettings& values,
                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Map Translator");

    inputCombo = NameCombo(inputFiles, values.inputName, "inputFile", this);
    outputEdit = OutputNameEdit(values.outputName, this);
    fields = std::make_unique<TranslatorFields>(values, this);
    auto* files = new QFormLayout;
    files->addRow("&Input Map File", inputCombo);
    files->addRow("O&utput Map File", outputEdit);
    files->addRow("&Projection Type", fields->Projection());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TranslatorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TranslatorDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    fields->AddGroups(layout);
    layout->addWidget(buttons);
}

TranslatorSettings TranslatorDialog::Values() const {
    TranslatorSettings values;
    values.inputName = inputCombo->currentText().toStdString();
    values.outputName = TextOf(outputEdit);
    fields->Read(values);
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
