#pragma once
// The Set Coordinates dialog ("Set Coordinates"): the centre of the view as
// latitude and longitude in decimal degrees, and the scale.

#include <QDialog>

#include "view/map_view.h"

class QLineEdit;

namespace okap {

class SetCoordDialog : public QDialog {
    Q_OBJECT
public:
    // Shows the fields of values, each limited to kSetCoordFieldLength
    // characters.
    SetCoordDialog(const SetCoordDialogTB& values, QWidget* parent);

    // The fields as they stand.
    SetCoordDialogTB Values() const;

private:
    QLineEdit* latitudeEdit;
    QLineEdit* longitudeEdit;
    QLineEdit* scaleEdit;
};

}  // namespace okap
