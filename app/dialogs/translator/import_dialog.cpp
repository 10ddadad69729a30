#include "app/dialogs/translator/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QVBoxLayout>
#include <filesystem>

#include "app/dialogs/dialog_fields.h"
#include "app/dialogs/file_dialog_columns.h"
#include "app/dialogs/modal_dialog.h"
#include "app/frame/okap_app.h"
#include "app/frame/wait_cursor.h"
#include "app/frame/work_progress.h"
#include "core/globals.h"
#include "core/number_text.h"
#include "datasets/dataset_contents.h"
#include "datasets/dataset_file_filter.h"
#include "platform/message_box.h"
#include "styles/map_format.h"

namespace okap {

namespace {

// A list of a layer's fields, each entry carrying its field's name as its
// data (an entry with empty data stands for no field).
QComboBox* FieldCombo(const char* objectName, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

// The field chosen in combo: its name, or empty for none.
std::string ChosenField(const QComboBox* combo) { return combo->currentData().toString().toStdString(); }

// Selects the entry of field name in combo, if it has one.
void SelectField(QComboBox* combo, const std::string& name) {
    const int index = combo->findData(QString::fromStdString(name));
    if (index >= 0) combo->setCurrentIndex(index);
}

// "countries (Multi Polygon, 241 features)".
QString LayerEntry(const LayerSummary& layer) {
    QString entry = QString::fromStdString(layer.name) + " (" + QString::fromStdString(layer.geometry);
    if (layer.features >= 0)
        entry += QString(", %1 feature%2").arg(layer.features).arg(layer.features == 1 ? "" : "s");
    return entry + ")";
}

// An output name from a dataset's file name: its stem in lower case, as
// long as an output name may be.
QString OutputNameFor(const QString& dataset) {
    return QFileInfo(dataset).completeBaseName().toLower().left(kTranslatorOutputLength);
}

// While it lives, the notices on single features (one skipped, or kept,
// for faulty geometry) after the first few are held rather than shown a
// box each, which a dataset with many faulty features would make endless;
// Flush shows the held ones in one message.
class FeatureNotices {
public:
    FeatureNotices() {
        previous = SetMessageHandler([this](const Message& message) {
            const bool notice = message.caption == "Warning" ||
                                (message.caption == "Error" && message.text.ends_with(kFeatureSkipped));
            if (notice && !flushing && ++notices > kShownAlone) {
                held.push_back(message.text);
                return MessageResult::Ok;
            }
            return previous ? previous(message) : PrintMessage(message);
        });
    }
    ~FeatureNotices() { SetMessageHandler(previous); }
    FeatureNotices(const FeatureNotices&) = delete;
    FeatureNotices& operator=(const FeatureNotices&) = delete;

    void Flush() {
        if (held.empty()) return;
        std::string text = FormatInt(static_cast<int64_t>(held.size())) + " more features with faulty geometry:";
        for (size_t i = 0; i < held.size() && i < kListed; ++i) text += "\n" + held[i];
        if (held.size() > kListed) text += "\n...";
        held.clear();
        flushing = true;
        MessageBox(text, "Warning", MessageButtons::Ok, MessageIcon::Warning);
        flushing = false;
    }

private:
    static constexpr int kShownAlone = 3;
    static constexpr size_t kListed = 10;
    MessageHandler previous;
    int notices = 0;
    bool flushing = false;
    std::vector<std::string> held;
};

}  // namespace

QStringList TypePreviewEntries(const std::vector<std::string>& values, bool more) {
    QStringList entries;
    for (size_t i = 0; i < values.size(); ++i)
        entries << QString("%1  %2").arg(i + 1).arg(QString::fromStdString(values[i]));
    if (more) entries << "and more";
    return entries;
}

ImportDialog::ImportDialog(const MapImportSettings& values, std::string mapPath, QWidget* parent)
    : QDialog(parent), mapPath(std::move(mapPath)) {
    setWindowTitle("Import");

    datasetEdit = new QLineEdit(QString::fromStdString(values.source.dataset), this);
    datasetEdit->setObjectName("dataset");
    datasetEdit->setMinimumWidth(320);
    QPushButton* browse = Button("&Browse...", "browse", this);
    layerCombo = new QComboBox(this);
    layerCombo->setObjectName("layer");

    auto* typeGroup = new QGroupBox("Feature types", this);
    const auto [number, byField] =
        ExclusiveRadios("One &type for all", "typeNumber", "Each value of a &field a type", "typeByField",
                        values.typing.typeField.empty(), typeGroup);
    typeNumberRadio = number;
    typeFieldRadio = byField;
    typeSpin = new QSpinBox(typeGroup);
    typeSpin->setObjectName("type");
    typeSpin->setRange(1, kMaxFeatures);
    typeSpin->setValue(values.typing.type);
    typeFieldCombo = FieldCombo("typeField", typeGroup);
    previewList = new QListWidget(typeGroup);
    previewList->setObjectName("typePreview");
    previewList->setSelectionMode(QAbstractItemView::NoSelection);
    auto* typeForm = new QFormLayout(typeGroup);
    typeForm->addRow(typeNumberRadio, typeSpin);
    typeForm->addRow(typeFieldRadio, typeFieldCombo);
    typeForm->addRow("Types:", previewList);

    nameFieldCombo = FieldCombo("nameField", this);
    whereEdit = new QLineEdit(QString::fromStdString(values.source.where), this);
    whereEdit->setObjectName("where");
    whereEdit->setPlaceholderText("all features, or a condition such as pop > 1000");
    keepInvalidCheck = CheckBox("&Keep rings that cross themselves (else their features are skipped)",
                                "keepInvalid", values.typing.keepInvalid, this);
    outputEdit = OutputNameEdit(values.translator.outputName, this);
    fields = std::make_unique<TranslatorFields>(values.translator, this);

    auto* form = new QFormLayout;
    AddRowWithButton(form, "&Dataset", datasetEdit, browse);
    form->addRow("&Layer", layerCombo);
    form->addRow(typeGroup);
    form->addRow("&Name field", nameFieldCombo);
    form->addRow("Filte&r", whereEdit);
    form->addRow("", keepInvalidCheck);
    form->addRow("O&utput Map File", outputEdit);
    form->addRow("&Projection Type", fields->Projection());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    fields->AddGroups(layout);
    layout->addWidget(buttons);

    if (!values.source.dataset.empty()) {
        ChooseDataset(datasetEdit->text());
        layerCombo->setCurrentIndex(std::max(0, layerCombo->findData(QString::fromStdString(values.source.layer))));
        SelectField(typeFieldCombo, values.typing.typeField);
        SelectField(nameFieldCombo, values.typing.nameField);
    }
    PreviewTypes();

    connect(browse, &QPushButton::clicked, this, &ImportDialog::Browse);
    connect(datasetEdit, &QLineEdit::editingFinished, this, [this] {
        if (datasetEdit->text() != listedDataset) ChooseDataset(datasetEdit->text());
    });
    connect(layerCombo, &QComboBox::currentIndexChanged, this, &ImportDialog::ListFields);
    connect(typeFieldCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!typeFieldCombo->currentData().toString().isEmpty()) typeFieldRadio->setChecked(true);
        PreviewTypes();
    });
    connect(typeFieldRadio, &QRadioButton::toggled, this, &ImportDialog::PreviewTypes);
    connect(typeSpin, &QSpinBox::valueChanged, this, &ImportDialog::PreviewTypes);
    connect(whereEdit, &QLineEdit::editingFinished, this, &ImportDialog::PreviewTypes);
}

LayerChoice ImportDialog::Choice() const {
    return {TextOf(datasetEdit), layerCombo->currentData().toString().toStdString(), TextOf(whereEdit)};
}

MapImportSettings ImportDialog::Values() const {
    MapImportSettings values;
    values.source = Choice();
    if (typeFieldRadio->isChecked()) values.typing.typeField = ChosenField(typeFieldCombo);
    values.typing.type = typeSpin->value();
    values.typing.nameField = ChosenField(nameFieldCombo);
    values.typing.keepInvalid = keepInvalidCheck->isChecked();
    values.translator.outputName = TextOf(outputEdit);
    fields->Read(values.translator);
    return values;
}

void ImportDialog::Browse() {
    QFileDialog dialog(this, "Dataset", QFileInfo(datasetEdit->text()).absolutePath(),
                       QString::fromStdString(DatasetFileFilter()));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    ShowColumnsWhole(dialog);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    datasetEdit->setText(dialog.selectedFiles().constFirst());
    ChooseDataset(datasetEdit->text());
}

void ImportDialog::ChooseDataset(const QString& path) {
    listedDataset = path;
    const QSignalBlocker quiet(layerCombo);
    layerCombo->clear();
    if (!path.isEmpty()) {
        WaitCursor wait;
        if (const auto layers = DatasetLayers(path.toStdString())) {
            for (const LayerSummary& layer : *layers)
                layerCombo->addItem(LayerEntry(layer), QString::fromStdString(layer.name));
        }
    }
    if (outputEdit->text().isEmpty() || outputEdit->text() == proposedOutput) {
        proposedOutput = OutputNameFor(path);
        if (!proposedOutput.isEmpty()) outputEdit->setText(proposedOutput);
    }
    ListFields();
}

void ImportDialog::ListFields() {
    const std::string typeField = ChosenField(typeFieldCombo);
    const std::string nameField = ChosenField(nameFieldCombo);
    const QSignalBlocker quietType(typeFieldCombo);
    const QSignalBlocker quietName(nameFieldCombo);
    typeFieldCombo->clear();
    nameFieldCombo->clear();
    nameFieldCombo->addItem("(feature ids)", QString());
    if (layerCombo->count() > 0) {
        WaitCursor wait;
        if (const auto layerFields = LayerFields(Choice())) {
            for (const FieldSummary& field : *layerFields) {
                const QString name = QString::fromStdString(field.name);
                typeFieldCombo->addItem(name, name);
                nameFieldCombo->addItem(name, name);
            }
        }
    }
    // The same fields stay chosen in another layer that has them.
    SelectField(typeFieldCombo, typeField);
    SelectField(nameFieldCombo, nameField);
    typeFieldRadio->setEnabled(typeFieldCombo->count() > 0);
    if (typeFieldCombo->count() == 0) typeNumberRadio->setChecked(true);
    PreviewTypes();
}

void ImportDialog::PreviewTypes() {
    previewList->clear();
    if (layerCombo->count() == 0) return;
    if (!typeFieldRadio->isChecked()) {
        // Every feature the one type, named after the layer.
        previewList->addItem(QString("%1  %2").arg(typeSpin->value()).arg(layerCombo->currentData().toString()));
        return;
    }
    const std::string field = ChosenField(typeFieldCombo);
    if (field.empty()) return;
    WaitCursor wait;
    if (const auto preview = FieldValues(Choice(), field, kMaxFeatures))
        previewList->addItems(TypePreviewEntries(preview->values, preview->more));
}

void ImportDialog::accept() {
    if (!MapPathIsCurrent()) return;
    MapImportSettings settings = Values();
    // The map goes into the map directory, as the translator's output does.
    settings.translator.outputName = (std::filesystem::path(mapPath) / settings.translator.outputName).string();
    WaitCursor wait;
    // The map files report a failure by setting badclient too, which would
    // make the next paint of a map window give up; an import's failure has
    // been shown and concerns no window.
    const int previousBadclient = badclient;
    const auto keepBadclient = qScopeGuard([previousBadclient] { badclient = previousBadclient; });
    WorkProgress progress(this, "Import", "Importing " + QString::fromStdString(settings.source.dataset));
    summary = {};
    FeatureNotices notices;
    const int done = ImportMap(settings, progress.Callback(), &summary);
    progress.Close();
    notices.Flush();
    if (done) QDialog::accept();
}

}  // namespace okap
