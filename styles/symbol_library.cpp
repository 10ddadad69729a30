#include "styles/symbol_library.h"

#include <fstream>
#include <optional>

#include "platform/message_box.h"
#include "platform/set_wd.h"

namespace okap {

namespace {

bool OpenLibrary(std::string_view dir, std::string_view missingDirMessage, std::ifstream& file) {
    if (SetWD(dir) != 0) {
        ShowError(missingDirMessage);
        return false;
    }
    file.open(WorkPath(kSymbolLibrary), std::ios::binary);
    if (!file) {
        ShowError("Error opening okap.sym");
        return false;
    }
    return true;
}

// The next entry; false at the first one that is not valid, where reading
// the library ends.
bool ReadEntry(std::istream& file, Symbol& entry) {
    file >> entry;
    return entry.valid != 0;
}

void CopyOutline(const Symbol& entry, Symbol& symbol) {
    symbol.name = entry.name;
    symbol.points = entry.points;
    symbol.pointCount = entry.pointCount;
    symbol.valid = 1;
}

}  // namespace

int ReadSymbolNames(std::string_view mapDir, std::vector<std::string>& names) {
    names.clear();
    std::ifstream file;
    if (!OpenLibrary(mapDir, "Map file path does not exist", file)) return 0;
    Symbol entry;
    while (ReadEntry(file, entry)) {
        if (names.size() == kMaxListedSymbols) {
            ShowError("Too many symbols in okap.sym");
            return 0;
        }
        names.push_back(entry.name);
    }
    return 1;
}

int ReadSymbolOutline(std::string_view mapDir, std::string_view name, Symbol& symbol) {
    std::ifstream file;
    if (!OpenLibrary(mapDir, "Map file path does not exist", file)) return 0;
    // The whole library is read before anything is copied, so that a
    // library refused as too long changes nothing.
    std::optional<Symbol> found;
    size_t taken = 0;
    Symbol entry;
    while (ReadEntry(file, entry)) {
        if (taken == kMaxListedSymbols) {
            ShowError("Too many symbols in okap.sym");
            return 0;
        }
        ++taken;
        if (entry.name == name) found = entry;
    }
    if (found) CopyOutline(*found, symbol);
    return 1;
}

int LookUpSymbols(std::string_view mapDir, std::span<Symbol> symbols) {
    // An outline found by an earlier look-up must not hide a missing entry.
    for (Symbol& symbol : symbols) symbol.valid = 0;
    std::ifstream file;
    if (!OpenLibrary(mapDir, "Data file path does not exist", file)) return 0;
    Symbol entry;
    while (ReadEntry(file, entry)) {
        for (Symbol& symbol : symbols) {
            if (symbol.name == entry.name) CopyOutline(entry, symbol);
        }
    }
    for (const Symbol& symbol : symbols) {
        if (!symbol.valid) {
            ShowError("Could not find symbol " + symbol.name + " in okap.sym");
            return 0;
        }
    }
    return 1;
}

}  // namespace okap
