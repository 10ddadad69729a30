#include "view/map_view.h"

#include <utility>

#include "view/map_document.h"

namespace okap {

MapView::MapView(MapDocument& doc, ViewSettings viewSettings) : document(doc), settings(std::move(viewSettings)) {}

}  // namespace okap
