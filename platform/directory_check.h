#pragma once
// A directory opens for reading like a file on Linux and reads as empty:
// the readers refuse one as they refuse a missing file.

#include <filesystem>
#include <system_error>

namespace okap {

inline bool IsDirectory(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace okap
