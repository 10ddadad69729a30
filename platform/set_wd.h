#pragma once
// Making a configured directory current. Every command that opens a map,
// format, symbol or data file makes its directory current first and then
// opens the file by its bare name, through WorkPath.
//
// The process has one current directory, so a thread that draws beside the
// program's own (a paint in the background) keeps one of its own while a
// ThreadWorkDirectory lives on it: SetWD then changes only that thread's,
// and WorkPath names files from it.

#include <string>
#include <string_view>

namespace okap {

// Changes to dir, with trailing blanks removed. Returns 0 on success and 1
// on failure; callers show their own message.
int SetWD(std::string_view dir);

// The path that opens name from the calling thread's current directory.
std::string WorkPath(std::string_view name);

// Gives the calling thread a current directory of its own while it lives,
// starting at the process's.
class ThreadWorkDirectory {
public:
    ThreadWorkDirectory();
    ~ThreadWorkDirectory();
    ThreadWorkDirectory(const ThreadWorkDirectory&) = delete;
    ThreadWorkDirectory& operator=(const ThreadWorkDirectory&) = delete;
};

}  // namespace okap
