#include "platform/safe_file_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace okap {

SafeFileWriter::SafeFileWriter(std::filesystem::path targetPath) : target(std::move(targetPath)) {
    std::filesystem::path dir = target.parent_path();
    std::string pattern = ((dir.empty() ? std::filesystem::path(".") : dir) /
                           ("." + target.filename().string() + ".XXXXXX"))
                              .string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    close(fd);
    temporary = pattern;
    // mkstemp makes the file private; give it the permissions a new file
    // would have, or keep those of the file it replaces.
    struct stat existing {};
    mode_t mode;
    if (stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    chmod(temporary.c_str(), mode);
    stream.open(temporary, std::ios::binary | std::ios::trunc);
}

SafeFileWriter::~SafeFileWriter() {
    if (committed || temporary.empty()) return;
    stream.close();
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
}

bool SafeFileWriter::Commit() {
    if (!stream.is_open()) return false;
    stream.flush();
    bool good = stream.good();
    stream.close();
    if (!good || stream.fail()) return false;
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    committed = !error;
    return committed;
}

bool WriteFileSafely(const std::filesystem::path& path, std::string_view contents) {
    SafeFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    writer.Stream().write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return writer.Commit();
}

}  // namespace okap
