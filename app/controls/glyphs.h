#pragma once
// The pictures of resources/: tool-bar glyphs (resources/glyphs/<id>.svg,
// 20 x 20, named by command id) and the program's icon.

#include <QIcon>
#include <QPixmap>

namespace okap {

// The tool-bar glyph of a command, drawn at 20 x 20 (and at twice that for
// high-density screens); a null icon when the command has none.
QIcon CommandGlyph(int id);

// The program's icon (IDI_OKAP), for the windows' title bars.
QIcon AppIcon();

// The icon drawn as a square picture of side pixels (the About box's logo).
QPixmap AppLogo(int side);

}  // namespace okap
