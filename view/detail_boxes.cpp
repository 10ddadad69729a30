#include "view/detail_boxes.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "core/geometry.h"
#include "data/details.h"
#include "styles/text_style.h"
#include "view/map_document.h"

namespace okap {

std::vector<TBox> DetailTextBoxes(DeviceContext& dc, const MapDocument& document) {
    std::vector<TBox> boxes;
    const int count = std::clamp(document.detailCount, 0, kMaxDetails);
    for (int i = 0; i < count; ++i) {
        const std::string& detail = document.details[static_cast<size_t>(i)];
        if (!std::string_view(detail).starts_with("Text")) continue;
        std::string text;
        double fx = 0.0, fy = 0.0;
        TextStyle style;
        if (!ReadDetail(detail, text, fx, fy, style) || !style.on) continue;
        const std::optional<TBox> box = TextBox(dc, SafeInt(document.windowExtent.cx * fx),
                                                -SafeInt(document.windowExtent.cy * fy), style, text);
        if (box) boxes.push_back(*box);
    }
    return boxes;
}

}  // namespace okap
