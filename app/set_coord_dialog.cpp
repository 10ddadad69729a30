#include "app/set_coord_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>

namespace okap {

namespace {

QLineEdit* Field(const std::string& value, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(static_cast<int>(kSetCoordFieldLength));
    edit->setText(QString::fromStdString(value));
    return edit;
}

}  // namespace

SetCoordDialog::SetCoordDialog(const SetCoordDialogTB& values, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Set Coordinates");
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    latitudeEdit = Field(values.latitude, "latitude", this);
    longitudeEdit = Field(values.longitude, "longitude", this);
    scaleEdit = Field(values.scale, "scale", this);
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
    return {latitudeEdit->text().toStdString(), longitudeEdit->text().toStdString(), scaleEdit->text().toStdString()};
}

}  // namespace okap
