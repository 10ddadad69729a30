#include "app/frame/window_fit.h"

#include <algorithm>
#include <cmath>

namespace okap {

QRect FitWindowInArea(const QRect& saved, const QSize& area, const QSize& frame) {
    if (area.isEmpty()) return saved;
    QSize size = saved.size();
    if (size.width() > area.width() || size.height() > area.height()) {
        const double insideWidth = std::max(1, size.width() - frame.width());
        const double insideHeight = std::max(1, size.height() - frame.height());
        const double scale = std::min((area.width() - frame.width()) / insideWidth,
                                      (area.height() - frame.height()) / insideHeight);
        size = QSize(std::max(1, static_cast<int>(std::floor(insideWidth * scale))) + frame.width(),
                     std::max(1, static_cast<int>(std::floor(insideHeight * scale))) + frame.height());
    }
    const int x = std::max(0, std::min(saved.x(), area.width() - size.width()));
    const int y = std::max(0, std::min(saved.y(), area.height() - size.height()));
    return QRect(QPoint(x, y), size);
}

}  // namespace okap
