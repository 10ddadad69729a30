#pragma once
// Listing the files of a directory that match a wildcard, as the file lists
// of the dialogs do.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace okap {

// True when name matches pattern: '*' any run of characters, '?' any one
// character, letters compared without regard to case. "*.*" matches every
// name, with or without an extension.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The names of the regular files in dir that match pattern, as they are on
// disk, sorted by name without regard to case (ties in byte order). An
// unreadable or missing directory gives an empty list.
std::vector<std::string> FindFiles(std::string_view pattern, const std::filesystem::path& dir = ".");

// The index of name in names; when no name matches exactly, one that
// differs only in letter case does (a document written where names were
// lower-cased may name a file that has capitals on disk). -1: none.
int FindName(const std::vector<std::string>& names, std::string_view name);

}  // namespace okap
