#pragma once
// A swatch beside a colour field: the colour the field's "R G B" text
// names, following the text as it is typed.

#include <QFrame>
#include <optional>

#include "platform/colour.h"

class QLineEdit;

namespace okap {

class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    // A square as high as field, beside it in parent.
    ColourSwatch(QLineEdit* field, QWidget* parent);

    // The colour shown; none while the text is not a colour, when the
    // swatch shows a neutral mark instead.
    std::optional<Colour> Shown() const { return colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(const QString& text);

    std::optional<Colour> colour;
};

}  // namespace okap
