#pragma once
// Writing a file so that a failure never leaves a half-written file in place
// of a good one: the data goes to a temporary file of its own in the same
// directory, which replaces the target only when Commit succeeds. A writer
// destroyed without a successful Commit removes its temporary file and
// leaves the target as it was. A writer told not to replace puts its file
// in place only where none is, in one step, so that of two writers of one
// new file the second fails rather than replacing the first's.

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
    const std::filesystem::path& TemporaryPath() const { return temporary; }

    // Flushes, closes and renames the temporary file over the target. False
    // (and the target untouched) when anything failed on the way.
    bool Commit();
    // Commit failed because the target appeared and the writer was not to
    // replace it.
    bool TargetAppeared() const { return targetAppeared; }

private:
    std::filesystem::path target;
    std::filesystem::path temporary;
    std::ofstream stream;
    bool replace;
    bool committed = false;
    bool targetAppeared = false;
};

// The whole of contents written to path through a SafeFileWriter.
bool WriteFileSafely(const std::filesystem::path& path, std::string_view contents);

}  // namespace okap
