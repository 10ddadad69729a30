#pragma once
// Choosing a colour for a style field: the colour chooser starting at the
// field's colour, with a table of 16 custom colours that belongs to the
// caller.

#include <array>
#include <optional>

#include "platform/colour.h"

class QWidget;

namespace okap {

// The 16 custom colours offered beside the basic ones. A new table holds
// the greys (1, 1, 1), (16, 16, 16), (32, 32, 32) ... (240, 240, 240).
struct CustomColours {
    CustomColours();
    std::array<Colour, 16> colours;
};

// Runs the colour chooser (a QColorDialog, through ExecModal) over parent,
// starting at start, with table as its custom colours. Custom colours the
// user changes are kept in table, whether the chooser ends with OK or not.
// The chosen colour on OK; none on Cancel.
std::optional<Colour> ChooseColour(QWidget* parent, CustomColours& table, Colour start);

}  // namespace okap
