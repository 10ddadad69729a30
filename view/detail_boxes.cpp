#include "view/detail_boxes.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "data/details.h"
#include "styles/text_style.h"
#include "view/map_document.h"

namespace okap {

namespace {

// Room a scale bar or a north arrow may take around its place, measured in
// the height of its text: a box that holds the drawing wherever its length
// and turn come out, so that nothing is placed under it.
std::optional<TBox> FigureBox(DeviceContext& dc, std::string_view kind, POINT at, const TextStyle& style,
                              int viewWidth) {
    const std::optional<TBox> letter = TextBox(dc, at.x, at.y, style, "N");
    if (!letter) return std::nullopt;
    const int h = std::abs(letter->tl.y - letter->br.y);
    if (kind.starts_with("North")) return TBox{{at.x - 3 * h, at.y + 3 * h}, {at.x + 3 * h, at.y - 3 * h}};
    // A round length is at most half as long again as a fifth of the view.
    const int bar = viewWidth * 3 / 10;
    int left = at.x - bar / 2;
    if (style.justification == kJustifyLeft) left = at.x;
    if (style.justification == kJustifyRight) left = at.x - bar;
    return TBox{{left - 2 * h, at.y + 3 * h}, {left + bar + 4 * h, at.y - 3 * h}};
}

}  // namespace

std::vector<TBox> DetailTextBoxes(DeviceContext& dc, const MapDocument& document) {
    std::vector<TBox> boxes;
    const int count = std::clamp(document.detailCount, 0, kMaxDetails);
    for (int i = 0; i < count; ++i) {
        const std::string& detail = document.details[static_cast<size_t>(i)];
        const std::string_view kind = detail;
        const bool text = kind.starts_with("Text");
        if (!text && !kind.starts_with("Scale") && !kind.starts_with("North")) continue;
        std::string words;
        double fx = 0.0, fy = 0.0;
        TextStyle style;
        if (!ReadDetail(detail, words, fx, fy, style) || !style.on) continue;
        const POINT at{SafeInt(document.windowExtent.cx * fx), -SafeInt(document.windowExtent.cy * fy)};
        const std::optional<TBox> box = text ? TextBox(dc, at.x, at.y, style, words)
                                             : FigureBox(dc, kind, at, style, document.windowExtent.cx);
        if (box) boxes.push_back(*box);
    }
    return boxes;
}

}  // namespace okap
