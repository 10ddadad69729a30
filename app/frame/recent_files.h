#pragma once
// The documents opened or saved last, most recent first, as okap.ini keeps
// them in a section of their own: "[Recent Files]" with the keys File1 (the
// most recent) to File8. The section is written only once there is a file
// to keep, so an okap.ini of a program that never opened one stays as it is.

#include <filesystem>
#include <string>
#include <vector>

namespace okap {

class RecentFiles {
public:
    static constexpr size_t kMaximum = 8;

    // Reads the list from the profile file at iniPath; empty or repeated
    // entries are passed over.
    explicit RecentFiles(std::filesystem::path iniPath);

    const std::vector<std::string>& Files() const { return files; }

    // Puts path first (moving it up when listed already), drops the oldest
    // beyond eight and writes the list. False when it cannot be written.
    bool Add(const std::string& path);
    // Takes path off the list and writes it. False when it cannot be written.
    bool Remove(const std::string& path);

private:
    bool Store(size_t previousCount) const;

    std::filesystem::path iniPath;
    std::vector<std::string> files;
};

}  // namespace okap
