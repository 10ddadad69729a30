#pragma once
// The symbol an imported data layer is drawn with. Data formats name their
// symbols, whose outlines come from the map directory's okap.sym; an
// import must draw even where that library is missing or lacks the symbol,
// and must leave the user's entries as they are.

#include <optional>
#include <string>

namespace okap {

struct ImportSymbol {
    std::string name;
    // The library to write back, when it has to change.
    std::optional<std::string> library;
};

// The symbol for a library whose text is library (none when there is no
// okap.sym): "circle" when the library has it; else "circle" added after
// the entries the library's readers see (before any text that ends their
// reading), as long as the symbol dialogs can still list them all;
// else "square" or the library's first entry. Without a library, a new
// one holds "square" and "circle".
ImportSymbol ChooseImportSymbol(const std::optional<std::string>& library);

}  // namespace okap
