#include "app/dialogs/display/set_coord_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"

namespace okap {

namespace {

constexpr int kFieldLength = static_cast<int>(kSetCoordFieldLength);

}  // namespace

SetCoordDialog::SetCoordDialog(const SetCoordDialogTB& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Set Coordinates");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    latitudeEdit = FieldEdit(values.latitude, kFieldLength, "latitude", this);
    longitudeEdit = FieldEdit(values.longitude, kFieldLength, "longitude", this);
    scaleEdit = FieldEdit(values.scale, kFieldLength, "scale", this);
    auto* form = new QFormLayout;
    form->addRow("Centre &Latitude", latitudeEdit);
    form->addRow("Centre L&ongitude", longitudeEdit);
    form->addRow("&Scale (x:1)", scaleEdit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetCoordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SetCoordDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

SetCoordDialogTB SetCoordDialog::Values() const {
    return {TextOf(latitudeEdit), TextOf(longitudeEdit), TextOf(scaleEdit)};
}

}  // namespace okap
