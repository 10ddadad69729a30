#pragma once
// The scale bar detail: a bar of a round length in its unit, about a fifth
// of the view wide, whose ends lie that far apart on the ellipsoid, so that
// it is right in every projection and at every latitude.

#include <string_view>

#include "core/coordinates.h"
#include "platform/device_context.h"

namespace okap {

class Projection;
class TextStyle;

// The round length (1, 2 or 5 times a power of ten) nearest to length,
// nearness measured as a ratio; and the greatest one not above it. Both 0
// for a length that is not positive.
double RoundLengthNear(double length);
double RoundLengthBelow(double length);

// Draws the bar at place (logical, y upwards) in a view windowExtent wide:
// its middle there, or its left or right end with a left or right justified
// style. Labels of 0, half and the whole length sit above the bar, the
// unit word after its end, and "at latitude N" below it where the scale of the view
// varies from place to place or with direction. The style gives the font
// and colour of bar and labels. Nothing where the bar's ends have no
// geographic position (off the globe).
void DrawScaleBar(DeviceContext& dc, Projection& projection, TSize windowExtent, POINT place,
                  const TextStyle& style, std::string_view unitWord);

}  // namespace okap
