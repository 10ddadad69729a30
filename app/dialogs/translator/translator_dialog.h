#pragma once
// The "Map Translator" dialog and the Map Translator command that runs it
// over the translator (TranslateMap).

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/translator/translator_fields.h"
#include "mapfiles/translator.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace okap {

// The map files the dialog offers as input: the "*.mp*" files of dir, with
// their names as they are on disk (the files are opened by these names).
std::vector<std::string> TranslatorInputFiles(const std::filesystem::path& dir);

class TranslatorDialog : public QDialog {
    Q_OBJECT
public:
    // Offers inputFiles and shows values: the input file and projection
    // named there are selected (else the first of each), the texts shown as
    // they are. The output name is turned into lower case as it is typed.
    TranslatorDialog(const std::vector<std::string>& inputFiles, const TranslatorSettings& values,
                     QWidget* parent);

    // The fields as they stand.
    TranslatorSettings Values() const;

private:
    QComboBox* inputCombo;
    QLineEdit* outputEdit;
    std::unique_ptr<TranslatorFields> fields;
};

// The Map Translator command: makes the map files directory mapPath
// current ("Map file path does not exist" when it cannot) and shows the
// dialog over parent. On OK checks the settings and opens the files, then
// translates with a wait cursor and a progress window whose Cancel stops
// the translation, and says when it is done (caption "Map Translator").
// After a failure (reported by the translator) or a stop the dialog comes
// back with the values as the user left them. Ends on success or on the
// dialog's Cancel.
void RunMapTranslator(QWidget* parent, const std::string& mapPath);

}  // namespace okap
