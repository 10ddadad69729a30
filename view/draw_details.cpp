// The text details: each "Text" detail drawn at its place, given as
// fractions of the view's width and height from its top-left corner.

#include <algorithm>
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "data/details.h"
#include "styles/text_style.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

void MapView::DrawDetails(DeviceContext& dc) {
    const int count = std::clamp(document.detailCount, 0, kMaxDetails);
    for (int i = 0; i < count; ++i) {
        const std::string& detail = document.details[static_cast<size_t>(i)];
        if (!std::string_view(detail).starts_with("Text")) continue;
        std::string text;
        double fx = 0.0, fy = 0.0;
        // Read afresh at every paint, so that a "Map" size follows the scale.
        TextStyle style;
        if (!ReadDetail(detail, text, fx, fy, style) || !style.on) continue;
        DrawText(dc, SafeInt(document.windowExtent.cx * fx), -SafeInt(document.windowExtent.cy * fy), style, text);
    }
}

}  // namespace okap
