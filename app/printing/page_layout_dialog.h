#pragma once
// Print Setup ("Print Setup"): the paper size, orientation and margins of a
// printer, for the printers of the system and the PDF printer alike (Qt's
// own page setup dialog works only for the system's printers).

#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <array>

class QComboBox;
class QDoubleSpinBox;
class QPrinter;
class QRadioButton;

namespace okap {

class PageLayoutDialog : public QDialog {
    Q_OBJECT
public:
    // Shows printer's page layout. The paper sizes offered are the ones the
    // printer knows, or the usual ones for a PDF printer, with the current
    // one always among them.
    PageLayoutDialog(QPrinter& printer, QWidget* parent);

    // The layout the fields describe, margins in millimetres.
    QPageLayout Layout() const;

    // OK: gives the printer the layout. Margins the paper cannot hold are
    // reported, the printer keeps its layout and the dialog stays open.
    void accept() override;

private:
    QPrinter& printer;
    QList<QPageSize> paperSizes;
    QComboBox* paperList;
    QRadioButton* landscapeRadio;
    // Left, top, right, bottom.
    std::array<QDoubleSpinBox*, 4> margins{};
};

}  // namespace okap
