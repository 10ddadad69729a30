#pragma once
// A fresh directory for one test, removed with everything in it afterwards.
// It also puts back the current directory, which the file commands change.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace okap::test {

class TempDir {
public:
    TempDir() : previous(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "okap-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
        path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    std::filesystem::path operator/(std::string_view name) const { return path / name; }

    // Writes contents to name (bytes exactly as given) and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view contents) const {
        std::filesystem::path file = path / name;
        std::ofstream(file, std::ios::binary).write(contents.data(), static_cast<std::streamsize>(contents.size()));
        return file;
    }

    // The names of the files in the directory, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

}  // namespace okap::test
