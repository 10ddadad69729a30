#include "styles/strip_header.h"

namespace okap {

void StripHeader(std::string& line) {
    if (size_t equals = line.find('='); equals != std::string::npos) line.erase(0, equals + 1);
    const size_t begin = line.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        line.clear();
        return;
    }
    line = line.substr(begin, line.find_last_not_of(" \t") - begin + 1);
}

}  // namespace okap
