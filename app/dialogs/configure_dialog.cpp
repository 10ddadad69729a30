#include "app/dialogs/configure_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "app/frame/command_ids.h"
#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/file_dialog_columns.h"
#include "app/dialogs/modal_dialog.h"
#include "core/app_title.h"
#include "platform/message_box.h"

namespace okap {

bool MatchesResolutionPicture(const std::string& text) {
    return (text.size() == 3 || text.size() == 4) &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ACDialog::ACDialog(const ACDialogTB& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Configure OKAP");

    auto* paths = new QGroupBox("File Paths", this);
    programEdit = FieldEdit(values.programPath, kConfigureFieldLength, "programPath", paths);
    mapsEdit = FieldEdit(values.mapsPath, kConfigureFieldLength, "mapsPath", paths);
    dataEdit = FieldEdit(values.dataPath, kConfigureFieldLength, "dataPath", paths);
    auto* pathForm = new QFormLayout(paths);
    const struct {
        const char* label;
        QLineEdit* edit;
        const char* buttonName;
        const char* caption;
    } pathRows[] = {{"&Program", programEdit, "programBrowse", "Program folder"},
                    {"&Maps", mapsEdit, "mapsBrowse", "Map folder"},
                    {"&Data", dataEdit, "dataBrowse", "Data folder"}};
    for (const auto& row : pathRows) {
        // Wide enough for the longest path a user may type.
        row.edit->setMinimumWidth(row.edit->fontMetrics().averageCharWidth() * (kConfigureFieldLength + 2));
        QPushButton* browse = Button("Browse...", row.buttonName, paths);
        connect(browse, &QPushButton::clicked, this,
                [this, edit = row.edit, caption = row.caption] { BrowseFor(edit, caption); });
        AddRowWithButton(pathForm, row.label, row.edit, browse);
    }

    resolutionEdit = FieldEdit(values.resolution, kConfigureFieldLength, "resolution", this);
    auto* resolutionForm = new QFormLayout;
    resolutionForm->addRow("Metafile Copy &Resolution (in x)", resolutionEdit);

    postscriptCheck = CheckBox("Modify postscript &text rotation", "postscript", values.postscript != 0, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ACDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ACDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paths);
    layout->addLayout(resolutionForm);
    layout->addWidget(postscriptCheck);
    layout->addWidget(buttons);
    resize(qMax(sizeHint().width(), 460), sizeHint().height());
}

void ACDialog::BrowseFor(QLineEdit* edit, const char* caption) {
    QString start = edit->text().trimmed();
    if (!QFileInfo(start).isDir()) start = QDir::homePath();
    QFileDialog dialog(this, caption, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    ShowColumnsWhole(dialog);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    // A chosen folder is shown whole, however long; only typing is limited.
    edit->setMaxLength(std::max(edit->maxLength(), static_cast<int>(chosen.size())));
    edit->setText(chosen);
}

ACDialogTB ACDialog::Values() const {
    return {TextOf(programEdit), TextOf(mapsEdit), TextOf(dataEdit), TextOf(resolutionEdit),
            postscriptCheck->isChecked() ? 1u : 0u};
}

void ACDialog::accept() {
    if (!MatchesResolutionPicture(TextOf(resolutionEdit))) {
        std::string text = StringResource(IDS_VALIDATOR_INVALID);
        text.replace(text.find("%s"), 2, kResolutionPicture);
        MessageBox(text, kAppTitle, MessageButtons::Ok, MessageIcon::Warning);
        resolutionEdit->setFocus();
        resolutionEdit->selectAll();
        return;
    }
    // An empty path would make the next start fail with "Error reading from
    // okap.ini", leaving okap.ini to be mended by hand.
    for (QLineEdit* path : {programEdit, mapsEdit, dataEdit}) {
        if (path->text().trimmed().isEmpty()) {
            MessageBox("The program, map and data paths cannot be empty.", kAppTitle, MessageButtons::Ok,
                       MessageIcon::Warning);
            path->setFocus();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace okap
