#include "app/printing/page_layout_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_fields.h"
#include "platform/message_box.h"

namespace okap {

namespace {

// The paper sizes offered for a PDF file, which can be any.
constexpr QPageSize::PageSizeId kPdfPaperSizes[] = {
    QPageSize::A3,     QPageSize::A4,    QPageSize::A5,        QPageSize::B4,      QPageSize::B5,
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
};

// Margins are typed in millimetres, up to the longest paper offered.
constexpr double kLargestMargin = 500.0;

QList<QPageSize> PaperSizesFor(const QPrinter& printer) {
    QList<QPageSize> sizes;
    if (printer.outputFormat() == QPrinter::NativeFormat) sizes = QPrinterInfo(printer).supportedPageSizes();
    if (sizes.isEmpty()) {
        for (QPageSize::PageSizeId id : kPdfPaperSizes) sizes.append(QPageSize(id));
    }
    const QPageSize current = printer.pageLayout().pageSize();
    bool listed = false;
    for (const QPageSize& size : sizes) listed = listed || size.isEquivalentTo(current);
    if (!listed && current.isValid()) sizes.prepend(current);
    return sizes;
}

}  // namespace

PageLayoutDialog::PageLayoutDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer(printer), paperSizes(PaperSizesFor(printer)) {
    setWindowTitle("Print Setup");
    const QPageLayout layout = printer.pageLayout();

    auto* paper = new QGroupBox("Paper", this);
    paperList = new QComboBox(paper);
    paperList->setObjectName("paperSize");
    for (const QPageSize& size : paperSizes) {
        paperList->addItem(size.name());
        if (size.isEquivalentTo(layout.pageSize())) paperList->setCurrentIndex(paperList->count() - 1);
    }
    const RadioPair orientation = MakeRadioPair("&Portrait", "portrait", "&Landscape", "landscape",
                                                layout.orientation() == QPageLayout::Portrait, paper);
    landscapeRadio = orientation.second;
    auto* paperForm = new QFormLayout(paper);
    paperForm->addRow("&Size", paperList);
    paperForm->addRow("Orientation", orientation.row);

    auto* marginBox = new QGroupBox("Margins (millimetres)", this);
    auto* marginForm = new QFormLayout(marginBox);
    const QMarginsF shown = layout.margins(QPageLayout::Millimeter);
    const struct {
        const char* label;
        const char* name;
        double value;
    } rows[] = {{"Le&ft", "leftMargin", shown.left()},
                {"&Top", "topMargin", shown.top()},
                {"&Right", "rightMargin", shown.right()},
                {"&Bottom", "bottomMargin", shown.bottom()}};
    for (size_t i = 0; i < margins.size(); ++i) {
        auto* spin = new QDoubleSpinBox(marginBox);
        spin->setObjectName(rows[i].name);
        spin->setDecimals(1);
        spin->setRange(0.0, kLargestMargin);
        spin->setValue(rows[i].value);
        marginForm->addRow(rows[i].label, spin);
        margins[i] = spin;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PageLayoutDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PageLayoutDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(paper);
    column->addWidget(marginBox);
    column->addWidget(buttons);
}

QPageLayout PageLayoutDialog::Layout() const {
    const int row = paperList->currentIndex();
    const QPageSize size = row >= 0 ? paperSizes[row] : printer.pageLayout().pageSize();
    // Margins below what the printer can print are raised to it.
    QPageLayout current = printer.pageLayout();
    current.setUnits(QPageLayout::Millimeter);
    return QPageLayout(size, landscapeRadio->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margins[0]->value(), margins[1]->value(), margins[2]->value(), margins[3]->value()),
                       QPageLayout::Millimeter, current.minimumMargins());
}

void PageLayoutDialog::accept() {
    const QPageLayout wanted = Layout();
    // QPageLayout would cut margins too large for the paper without a word.
    const QSizeF paper = wanted.fullRect(QPageLayout::Millimeter).size();
    const bool fits = margins[0]->value() + margins[2]->value() < paper.width() &&
                      margins[1]->value() + margins[3]->value() < paper.height();
    const QPageLayout before = printer.pageLayout();
    if (!fits || !printer.setPageLayout(wanted)) {
        // A printer that took part of the layout is put back as it was.
        printer.setPageLayout(before);
        ShowError("The margins do not fit on the paper: make them smaller or choose larger paper.");
        margins[0]->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace okap
