// The details, each at its place, given as fractions of the view's width
// and height from its top-left corner: texts, scale bars and north arrows.
// A detail of another kind is kept in the document but not drawn.

#include <algorithm>
#include <string>

#include "core/geometry.h"
#include "data/details.h"
#include "styles/text_style.h"
#include "view/draw_north_arrow.h"
#include "view/draw_scale_bar.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

void MapView::DrawDetails(DeviceContext& dc) {
    const int count = std::clamp(document.detailCount, 0, kMaxDetails);
    for (int i = 0; i < count; ++i) {
        const std::string& detail = document.details[static_cast<size_t>(i)];
        const DetailKind kind = KindOfDetail(detail);
        if (kind == DetailKind::Other) continue;
        std::string text;
        double fx = 0.0, fy = 0.0;
        // Read afresh at every paint, so that a "Map" size follows the scale.
        TextStyle style;
        if (!ReadDetail(detail, text, fx, fy, style) || !style.on) continue;
        const POINT place{SafeInt(document.windowExtent.cx * fx), -SafeInt(document.windowExtent.cy * fy)};
        switch (kind) {
            case DetailKind::ScaleBar:
                DrawScaleBar(dc, document.projection, document.windowExtent, place, style, text);
                break;
            case DetailKind::NorthArrow:
                DrawNorthArrow(dc, document.projection, place, style, text);
                break;
            default:
                DrawText(dc, place.x, place.y, style, text);
                break;
        }
    }
}

}  // namespace okap
