#include "platform/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace okap {

SafeFileWriter::SafeFileWriter(std::filesystem::path targetPath, bool replaceTarget)
    : target(std::move(targetPath)), replace(replaceTarget) {
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
    if (replace) {
        std::error_code error;
        std::filesystem::rename(temporary, target, error);
        committed = !error;
        return committed;
    }
    // Where the file system cannot rename without replacing, a hard link
    // is made as surely only where no file is.
    int result = renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        result = link(temporary.c_str(), target.c_str());
        if (result == 0) unlink(temporary.c_str());
    }
    targetAppeared = result != 0 && errno == EEXIST;
    committed = result == 0;
    return committed;
}

bool WriteFileSafely(const std::filesystem::path& path, std::string_view contents) {
    SafeFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    writer.Stream().write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return writer.Commit();
}

}  // namespace okap
