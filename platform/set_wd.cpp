#include "platform/set_wd.h"

#include <unistd.h>

#include <string>

namespace okap {

int SetWD(std::string_view dir) {
    size_t end = dir.find_last_not_of(' ');
    std::string path(end == std::string_view::npos ? std::string_view() : dir.substr(0, end + 1));
    if (path.empty()) return 1;
    return chdir(path.c_str()) == 0 ? 0 : 1;
}

}  // namespace okap
