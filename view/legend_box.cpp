#include "view/legend_box.h"

#include "core/geometry.h"

namespace okap {

TBox LegendBox(const DataFormat& format, TSize extent) {
    const double ex = extent.cx;
    const double ey = extent.cy;
    const auto [left, top, right, bottom] = format.legendBorderPosition;
    return {{SafeInt(ex * left), SafeInt(-ey * top)}, {SafeInt(ex * right), SafeInt(-ey * bottom)}};
}

bool LegendDrawn(const DataFormat& format) {
    return format.legend != 0 && format.ClassCount() > 0 && format.legendColumns > 0;
}

}  // namespace okap
