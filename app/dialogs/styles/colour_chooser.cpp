#include "app/dialogs/styles/colour_chooser.h"

#include <QColorDialog>

#include "app/dialogs/modal_dialog.h"

namespace okap {

CustomColours::CustomColours() {
    colours[0] = Colour::Rgb(1, 1, 1);
    for (int k = 1; k < 16; ++k) colours[static_cast<size_t>(k)] = Colour::Rgb(16 * k, 16 * k, 16 * k);
}

std::optional<Colour> ChooseColour(QWidget* parent, CustomColours& table, Colour start) {
    // QColorDialog keeps one set of custom colours for the whole program, so
    // the caller's table is put in before and taken back after.
    for (int i = 0; i < 16; ++i) {
        const Colour c = table.colours[static_cast<size_t>(i)];
        QColorDialog::setCustomColor(i, QColor(c.Red(), c.Green(), c.Blue()));
    }
    QColorDialog chooser(QColor(start.Red(), start.Green(), start.Blue()), parent);
    // Qt's own chooser, so that the custom colours above are the ones shown.
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    const int result = ExecModal(chooser);
    for (int i = 0; i < 16; ++i) {
        const QColor c = QColorDialog::customColor(i);
        table.colours[static_cast<size_t>(i)] = Colour::Rgb(c.red(), c.green(), c.blue());
    }
    if (result != QDialog::Accepted) return std::nullopt;
    const QColor chosen = chooser.currentColor();
    return Colour::Rgb(chosen.red(), chosen.green(), chosen.blue());
}

}  // namespace okap
