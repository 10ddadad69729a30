#include "platform/directory_search.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "platform/letter_case.h"

namespace okap {

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    auto lowered = [](const std::string& s) {
        std::string t = s;
        std::transform(t.begin(), t.end(), t.begin(), Lower);
        return t;
    };
    std::string la = lowered(a), lb = lowered(b);
    return la != lb ? la < lb : a < b;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") return true;
    // Iterative matching with one backtrack point for the last '*': linear
    // in practice and never recursive.
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> FindFiles(std::string_view pattern, const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code error;
    // Error codes throughout: a directory that vanishes or cannot be read
    // midway ends the list instead of throwing.
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (WildcardMatch(pattern, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

int FindName(const std::vector<std::string>& names, std::string_view name) {
    const auto exact = std::ranges::find(names, name);
    if (exact != names.end()) return static_cast<int>(exact - names.begin());
    const auto caseless = std::ranges::find_if(names, [&](const std::string& n) {
        return EqualIgnoringCase(n, name);
    });
    return caseless == names.end() ? -1 : static_cast<int>(caseless - names.begin());
}

}  // namespace okap
