#pragma once
// Writing a file so that a failure never leaves a half-written file in place
// of a good one: the data goes to a temporary file of its own in the same
// directory, which replaces the target only when Commit succeeds. A writer
// destroyed without a successful Commit leaves the target as it was and no
// temporary file. A writer told not to replace puts its file in place only
// where none is, in one step, so that of two writers of one new file the
// second fails rather than replacing the first's.
//
// The temporary file has no name while it is written (O_TMPFILE), so a
// process killed while writing leaves nothing behind. Where the file system
// cannot make unnamed files, and for the moment a replacing file takes
// between its hidden name and the target's, it is a hidden ".NAME.XXXXXX"
// beside the target, locked while its writer lives; a later writer of the
// same target removes those whose writer has gone.

#include <filesystem>
#include <fstream>
#include <string_view>

namespace okap {

class SafeFileWriter {
public:
    explicit SafeFileWriter(std::filesystem::path target, bool replace = true);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // False when the temporary file could not be made.
    bool IsOpen() const { return stream.is_open(); }
    std::ofstream& Stream() { return stream; }

    // Flushes the data to the disk and puts the file in place of the
    // target. False (and the target untouched) when anything failed on the
    // way, a full disk included.
    bool Commit();
    // Commit failed because the target appeared and the writer was not to
    // replace it.
    bool TargetAppeared() const { return targetAppeared; }

private:
    // Gives the finished temporary file the target's name; false when that
    // could not be done (errno says why).
    bool PutInPlace();
    // A name for the data: the unnamed file's descriptor path, else the
    // hidden file's own.
    std::filesystem::path DataPath() const;

    std::filesystem::path target;
    std::filesystem::path directory;
    std::filesystem::path named;  // the hidden temporary file; empty while the file is unnamed
    int fd = -1;                  // the temporary file, held open (and, when named, locked)
    std::ofstream stream;
    bool replace;
    bool committed = false;
    bool targetAppeared = false;
};

// The whole of contents written to path through a SafeFileWriter.
bool WriteFileSafely(const std::filesystem::path& path, std::string_view contents);

}  // namespace okap
