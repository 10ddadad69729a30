#pragma once
// The translator's projection, origin, resolution and region fields, shared
// by the Map Translator dialog and the Import dialog.

#include <string>

#include "mapfiles/translator.h"

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace okap {

// The longest texts the fields take.
inline constexpr int kTranslatorOutputLength = 7;
inline constexpr int kTranslatorAngleLength = 29;

// The field of an output map file's name ("outputFile"), showing value:
// at most kTranslatorOutputLength characters, turned into lower case as
// they are typed.
QLineEdit* OutputNameEdit(const std::string& value, QWidget* parent);

class TranslatorFields {
public:
    // The fields under parent, showing values: the projection named there
    // selected (else the first), the texts as they are.
    TranslatorFields(const TranslatorSettings& values, QWidget* parent);

    // The projection combo, for the caller to place with its own fields.
    QComboBox* Projection() const { return projectionCombo; }
    // The origin and resolution groups side by side with the region under
    // them, added to layout.
    void AddGroups(QBoxLayout* layout) const;

    // Copies the fields as they stand into values: the projection, origin,
    // resolution, boundary spacing and region.
    void Read(TranslatorSettings& values) const;

private:
    QComboBox* projectionCombo;
    QGroupBox* originGroup;
    QGroupBox* resolutionGroup;
    QGroupBox* regionGroup;
    QLineEdit* originLongitudeEdit;
    QLineEdit* originLatitudeEdit;
    QLineEdit* resolutionEdit;
    QLineEdit* boundaryEdit;
    QLineEdit* westEdit;
    QLineEdit* eastEdit;
    QLineEdit* northEdit;
    QLineEdit* southEdit;
};

}  // namespace okap
