#pragma once
// File > Import: a dataset layer imported as a map file with its map
// format (the Import dialog), then put on show: as a map layer of the
// active document, or in a new document of its own, fitted as Full Scale
// fits.

#include <string>

class QWidget;

namespace okap {

class okapMDIClient;
class okapMDIChild;

// Runs the Import dialog over parent; a new dialog starts with the
// projection of the active document's base map, so that the import can
// join it. After a successful import asks where the map goes: "Add to"
// the active document (offered only when there is one whose base map has
// the import's projection, or none yet), "Open in a new document", or
// neither ("Close": the files stay in the map directory).
void RunImport(QWidget* parent, okapMDIClient& client);

// Adds map (a map file and its format, bare names in the map directory) as
// the last map layer of child's document and draws it; the first map layer
// is fitted as Full Scale fits. Reports a full layer table.
void AddImportedLayer(okapMDIChild& child, const std::string& map, const std::string& format);

}  // namespace okap
