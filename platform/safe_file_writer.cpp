#include "platform/safe_file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace okap {

namespace {

// The permissions of the file a new one replaces, or those a new file gets.
mode_t NewFileMode(const std::filesystem::path& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string HiddenPattern(const std::filesystem::path& directory, const std::filesystem::path& target) {
    return (directory / ("." + target.filename().string() + ".XXXXXX")).string();
}

// Hidden temporaries of target whose writers have gone: a live writer holds
// a lock on its file, so a file that can be locked is left over from a
// writer that was killed.
void RemoveStaleTemporaries(const std::filesystem::path& directory, const std::filesystem::path& target) {
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
        const int fd = open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(entry.path().c_str());
        close(fd);
    }
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::filesystem::path targetPath, bool replaceTarget)
    : target(std::move(targetPath)), replace(replaceTarget) {
    directory = target.parent_path().empty() ? std::filesystem::path(".") : target.parent_path();
    const mode_t mode = NewFileMode(target);
    // Hidden files are left by writers killed while theirs had a name: the
    // whole write where unnamed files cannot be made, else the moment
    // between linking and renaming.
    RemoveStaleTemporaries(directory, target);
    fd = open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::string pattern = HiddenPattern(directory, target);
        fd = mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) return;
        named = pattern;
    }
    // Locked while this writer lives, so that no other writer takes its
    // hidden name for a stale one.
    flock(fd, LOCK_EX);
    // Made private; it gets the permissions a new file would have, or keeps
    // those of the file it replaces.
    fchmod(fd, mode);
    stream.open(DataPath(), std::ios::binary | std::ios::trunc);
}

SafeFileWriter::~SafeFileWriter() {
    stream.close();
    if (!committed && !named.empty()) unlink(named.c_str());
    if (fd >= 0) close(fd);
}

std::filesystem::path SafeFileWriter::DataPath() const {
    if (!named.empty()) return named;
    return "/proc/self/fd/" + std::to_string(fd);
}

bool SafeFileWriter::Commit() {
    if (!stream.is_open()) return false;
    stream.flush();
    const bool good = stream.good();
    stream.close();
    // On the disk before it takes the target's place, so that not even a
    // power cut leaves a target without its data.
    if (!good || stream.fail() || fsync(fd) != 0) return false;
    committed = PutInPlace();
    targetAppeared = !committed && !replace && errno == EEXIST;
    return committed;
}

bool SafeFileWriter::PutInPlace() {
    if (named.empty()) {
        // An unnamed file is linked in, which only succeeds where no file
        // is; to replace one it is linked under a hidden name first and
        // renamed over it, the one moment it has a name.
        const std::string data = DataPath().string();
        if (linkat(AT_FDCWD, data.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST || !replace) return false;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string hidden = HiddenPattern(directory, target);
            // mkstemp's name, given up at once, for linkat to take.
            const int probe = mkstemp(hidden.data());
            if (probe < 0) return false;
            close(probe);
            unlink(hidden.c_str());
            if (linkat(AT_FDCWD, data.c_str(), AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) != 0) {
                if (errno == EEXIST) continue;
                return false;
            }
            if (rename(hidden.c_str(), target.c_str()) == 0) return true;
            const int failure = errno;
            unlink(hidden.c_str());
            errno = failure;
            return false;
        }
        return false;
    }
    if (replace) return rename(named.c_str(), target.c_str()) == 0;
    // Where the file system cannot rename without replacing, a hard link
    // is made as surely only where no file is.
    int result = renameat2(AT_FDCWD, named.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        result = link(named.c_str(), target.c_str());
        if (result == 0) unlink(named.c_str());
    }
    return result == 0;
}

bool WriteFileSafely(const std::filesystem::path& path, std::string_view contents) {
    SafeFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    writer.Stream().write(contents.data(), static_cast<std::streamsize>(contents.size()));
    return writer.Commit();
}

}  // namespace okap
