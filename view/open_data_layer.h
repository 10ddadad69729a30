#pragma once
// The Datafile of one data layer for one drawing pass.

#include <memory>

#include "data/datafile.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

class Projection;

// A fresh Datafile for layer placing its points in view, with its format
// read and, when withData is set, its data file opened. A failure shows the
// Datafile's own message, then "Error reading from format file " or "Error
// reading from data file " followed by the file's name, sets badclient and
// gives no Datafile.
std::unique_ptr<Datafile> OpenDataLayer(Projection& view, const ViewSettings& settings, const okapFileInfo& layer,
                                        bool withData);

}  // namespace okap
