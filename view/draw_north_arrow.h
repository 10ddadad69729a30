#pragma once
// The north arrow detail: an arrow at its place pointing to true north
// there, so that it turns with the meridians of polar and orthographic
// maps.

#include <string>

#include "core/coordinates.h"
#include "platform/device_context.h"

namespace okap {

class Projection;
class TextStyle;

// Draws the arrow centred on place (logical, y upwards), three text heights
// long, with letter beyond its tip; in the style's font and colour. Nothing
// where the place has no geographic position.
void DrawNorthArrow(DeviceContext& dc, Projection& projection, POINT place, const TextStyle& style,
                    const std::string& letter);

}  // namespace okap
