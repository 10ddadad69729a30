#include "app/dialogs/translator/translator_fields.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <initializer_list>

#include "app/dialogs/dialog_fields.h"
#include "core/projection.h"

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

}  // namespace

QLineEdit* OutputNameEdit(const std::string& value, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("outputFile");
    edit->setMaxLength(kTranslatorOutputLength);
    edit->setValidator(new LowerCaseValidator(edit));
    edit->setText(QString::fromStdString(value));
    return edit;
}

TranslatorFields::TranslatorFields(const TranslatorSettings& values, QWidget* parent) {
    projectionCombo = new QComboBox(parent);
    projectionCombo->setObjectName("projection");
    for (const char* name : Projections) projectionCombo->addItem(name);
    projectionCombo->setCurrentIndex(std::max(0, projectionCombo->findText(QString::fromStdString(values.projectionName))));

    originGroup = AngleGroup("Projection Origin",
                             {{"L&ongitude", values.originLongitude, "originLongitude", originLongitudeEdit},
                              {"L&atitude", values.originLatitude, "originLatitude", originLatitudeEdit}},
                             parent);
    resolutionGroup = AngleGroup("Resolution",
                                 {{"&Min. resolution (deg)", values.resolution, "resolution", resolutionEdit},
                                  {"&Boundary Pts (deg)", values.boundarySpacing, "boundarySpacing", boundaryEdit}},
                                 parent);

    // The region's edges where they lie on a map: north above, west left,
    // east right, south below, each label in the column before its field.
    // Made in reading order, which Tab follows.
    regionGroup = new QGroupBox("Selected Region", parent);
    auto* regionGrid = new QGridLayout(regionGroup);
    const struct {
        AngleField field;
        int row;
        int column;
    } edges[] = {{{"&North", values.north, "north", northEdit}, 0, 2},
                 {{"&West", values.west, "west", westEdit}, 1, 0},
                 {{"&East", values.east, "east", eastEdit}, 1, 4},
                 {{"&South", values.south, "south", southEdit}, 2, 2}};
    for (const auto& [field, row, column] : edges) {
        QLineEdit* edit = AngleEdit(field, regionGroup);
        regionGrid->addWidget(Buddy(field.label, edit), row, column, Qt::AlignRight);
        regionGrid->addWidget(edit, row, column + 1);
    }
}

void TranslatorFields::AddGroups(QBoxLayout* layout) const {
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(originGroup);
    settingsRow->addWidget(resolutionGroup);
    layout->addLayout(settingsRow);
    layout->addWidget(regionGroup);
}

void TranslatorFields::Read(TranslatorSettings& values) const {
    values.projectionName = projectionCombo->currentText().toStdString();
    values.originLongitude = TextOf(originLongitudeEdit);
    values.originLatitude = TextOf(originLatitudeEdit);
    values.resolution = TextOf(resolutionEdit);
    values.boundarySpacing = TextOf(boundaryEdit);
    values.west = TextOf(westEdit);
    values.east = TextOf(eastEdit);
    values.north = TextOf(northEdit);
    values.south = TextOf(southEdit);
}

}  // namespace okap
