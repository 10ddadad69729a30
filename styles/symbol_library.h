#pragma once
// The symbol library okap.sym in the map files directory: symbol entries one
// after the other (see the Symbol reader), read up to the first entry that
// is not valid. The program only reads it; users keep it with a text editor.
//
// Every reader makes the directory current (SetWD) and opens the library by
// its bare name. Failures are reported with caption "Error"; none of them
// touches badclient, which the data format reader sets for all its failures.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "styles/symbol.h"

namespace okap {

inline constexpr char kSymbolLibrary[] = "okap.sym";
// The most entries the symbol dialogs list.
inline constexpr size_t kMaxListedSymbols = 50;

// The names of the library's entries in file order, for the symbol choice.
// Returns 1 on success, 0 after a reported failure: "Map file path does not
// exist", "Error opening okap.sym", or "Too many symbols in okap.sym" on a
// 51st entry, after which names still holds the first 50.
int ReadSymbolNames(std::string_view mapDir, std::vector<std::string>& names);

// Copies name, points and point count of the entry named name (exact
// match; the last of equal names wins) into symbol and marks it valid; the
// size fields stay. A name not in the library leaves symbol as it was and
// still returns 1. Returns 0 after a reported failure, with symbol
// unchanged: "Map file path does not exist", "Error opening okap.sym", or
// "Too many symbols in okap.sym" on a 51st entry.
int ReadSymbolOutline(std::string_view mapDir, std::string_view name, Symbol& symbol);

// Gives every symbol of a data format its outline from the library,
// matching by name (the last of equal names wins). Returns 1 when all were
// found. Otherwise 0 after a reported failure: "Data file path does not
// exist", "Error opening okap.sym", or "Could not find symbol " name " in
// okap.sym" for the first symbol not found. Symbols not found are left not
// valid.
int LookUpSymbols(std::string_view mapDir, std::span<Symbol> symbols);

}  // namespace okap
