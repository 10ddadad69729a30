#include "platform/set_wd.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace okap {

namespace {

// The calling thread's own current directory, when it has one.
std::optional<std::filesystem::path>& OwnDirectory() {
    thread_local std::optional<std::filesystem::path> directory;
    return directory;
}

}  // namespace

int SetWD(std::string_view dir) {
    size_t end = dir.find_last_not_of(' ');
    std::string path(end == std::string_view::npos ? std::string_view() : dir.substr(0, end + 1));
    if (path.empty()) return 1;
    std::optional<std::filesystem::path>& own = OwnDirectory();
    if (!own) return chdir(path.c_str()) == 0 ? 0 : 1;
    const std::filesystem::path wanted = (*own / path).lexically_normal();
    std::error_code error;
    if (!std::filesystem::is_directory(wanted, error)) return 1;
    own = wanted;
    return 0;
}

std::string WorkPath(std::string_view name) {
    const std::optional<std::filesystem::path>& own = OwnDirectory();
    const std::filesystem::path path(name);
    if (!own || name.empty() || path.is_absolute()) return std::string(name);
    return (*own / path).string();
}

ThreadWorkDirectory::ThreadWorkDirectory() {
    std::error_code error;
    OwnDirectory() = std::filesystem::current_path(error);
}

ThreadWorkDirectory::~ThreadWorkDirectory() { OwnDirectory().reset(); }

}  // namespace okap
