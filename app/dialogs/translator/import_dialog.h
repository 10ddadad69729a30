#pragma once
// The "Import" dialog: a layer of a vector dataset into a map file and its
// map format in the map directory (ImportMap). It shows the dataset with a
// Browse button, its layers, the feature type (one number for all, or each
// distinct value of a field a type, previewed as the types they become),
// the name field, an attribute filter, whether to keep features whose
// rings cross themselves, the output map's name and the
// translator's projection and region fields. OK runs the import with a
// progress window whose Cancel stops it; the dialog closes only when the
// import succeeded, and stays with what the user typed after a failure
// (reported by the import as every failure is).

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "app/dialogs/translator/translator_fields.h"
#include "datasets/map_import.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace okap {

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // Shows values (its dataset's layers listed when it names one); the
    // map goes into the directory mapPath.
    ImportDialog(const MapImportSettings& values, std::string mapPath, QWidget* parent);

    // The fields as they stand, the output map's name as typed.
    MapImportSettings Values() const;
    // What the import wrote, once OK has succeeded.
    const MapImportSummary& Summary() const { return summary; }

    // Lists the layers of the dataset at path in the layer list (emptied,
    // after the dataset's message, when it cannot be opened), and names
    // the output after the dataset unless a name was typed.
    void ChooseDataset(const QString& path);

    // Runs the import; closes the dialog only when it succeeded.
    void accept() override;

private:
    void Browse();
    // The fields of the chosen layer into the type and name field lists.
    void ListFields();
    // The types the import will give, in the preview list.
    void PreviewTypes();
    LayerChoice Choice() const;

    std::string mapPath;
    QString listedDataset;  // the dataset whose layers are listed
    QString proposedOutput;  // the output name given after the dataset, until the user types another
    MapImportSummary summary;

    QLineEdit* datasetEdit;
    QComboBox* layerCombo;
    QRadioButton* typeNumberRadio;
    QRadioButton* typeFieldRadio;
    QSpinBox* typeSpin;
    QComboBox* typeFieldCombo;
    QListWidget* previewList;
    QComboBox* nameFieldCombo;
    QLineEdit* whereEdit;
    QCheckBox* keepInvalidCheck;
    QLineEdit* outputEdit;
    std::unique_ptr<TranslatorFields> fields;
};

// The preview's entries for the values of a field: "1  value", "2  value"
// ..., and "and more" when more follow.
QStringList TypePreviewEntries(const std::vector<std::string>& values, bool more);

}  // namespace okap
