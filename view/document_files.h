#pragma once
// The files a document draws from, for noticing that one of them changed.

#include <string>

namespace okap {

class MapDocument;
struct ViewSettings;

// The state on disk of every file the document draws from (its map files
// and map formats, data files and data formats, grid format and symbol
// library), as one text: it differs whenever the document names other files
// or one of them is written, made or removed.
std::string DocumentFilesState(const MapDocument& document, const ViewSettings& settings);

}  // namespace okap
