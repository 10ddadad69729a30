#include "data/data_line.h"

#include <sstream>

#include "styles/text_form.h"

namespace okap {

bool ReadDataLine(std::string_view line, DataLine& numbers) {
    const size_t quote = line.find('"');
    numbers.hasLabel = quote != std::string_view::npos;
    std::istringstream text{std::string(line.substr(0, quote))};
    ReadNumber(text, numbers.longitude);
    ReadNumber(text, numbers.latitude);
    ReadNumber(text, numbers.value);
    if (text.fail()) return false;
    numbers.hasAngle = !ReadNumber(text, numbers.angle).fail();
    return true;
}

std::optional<std::string> DataLabel(std::string_view line) {
    const size_t open = line.find('"');
    if (open == std::string_view::npos) return std::nullopt;
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(line.substr(open + 1, close - open - 1));
}

}  // namespace okap
