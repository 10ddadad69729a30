#include "app/frame/recent_files.h"

#include <algorithm>
#include <optional>

#include "platform/profile_file.h"

namespace okap {

namespace {

constexpr const char* kSection = "Recent Files";

std::string Key(size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

RecentFiles::RecentFiles(std::filesystem::path path) : iniPath(std::move(path)) {
    const ProfileFile ini(iniPath);
    for (size_t i = 0; i < kMaximum; ++i) {
        const std::optional<std::string> file = ini.GetString(kSection, Key(i));
        if (file && !file->empty() && std::find(files.begin(), files.end(), *file) == files.end())
            files.push_back(*file);
    }
}

bool RecentFiles::Add(const std::string& path) {
    const size_t previousCount = files.size();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kMaximum) files.resize(kMaximum);
    return Store(previousCount);
}

bool RecentFiles::Remove(const std::string& path) {
    const size_t previousCount = files.size();
    if (std::erase(files, path) == 0) return true;
    return Store(previousCount);
}

// Every key is written afresh, and the keys of a longer list before are
// removed, so that the keys always run File1, File2 ... without a gap.
bool RecentFiles::Store(size_t previousCount) const {
    ProfileFile ini(iniPath);
    for (size_t i = 0; i < files.size(); ++i) {
        if (!ini.WriteString(kSection, Key(i), files[i])) return false;
    }
    for (size_t i = files.size(); i < std::max(previousCount, kMaximum); ++i) {
        if (!ini.DeleteKey(kSection, Key(i))) return false;
    }
    return true;
}

}  // namespace okap
