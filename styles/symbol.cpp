#include "styles/symbol.h"

#include <sstream>

#include "styles/strip_header.h"
#include "styles/text_form.h"

namespace okap {

std::istream& operator>>(std::istream& is, Symbol& symbol) {
    symbol.valid = 0;
    symbol.pointCount = 0;
    std::string line;
    ReadLine(is, line);
    StripHeader(line);
    symbol.name = line;

    ReadLine(is, line);
    StripHeader(line);
    std::istringstream countText(line);
    int32_t count = 0;
    ReadInt(countText, count);
    // A longer outline than the record holds is refused, not cut short.
    bool error = countText.fail() || count < 0 || count > Symbol::kMaxPoints;

    for (int32_t i = 0; i < count && !error; ++i) {
        ReadLine(is, line);
        std::istringstream pointText(line);
        POINT point;
        ReadInt(pointText, point.x);
        ReadInt(pointText, point.y);
        if (pointText.fail()) {
            error = true;
        } else {
            symbol.points[static_cast<size_t>(i)] = point;
            symbol.pointCount = i + 1;
        }
    }
    symbol.valid = !error && is.good() ? 1 : 0;
    return is;
}

}  // namespace okap
