#pragma once
// Data labels placed so that none covers another: the labels of the data
// layers whose format avoids label overlaps are gathered while their
// symbols are drawn, and placed once all they must keep clear of is known.
//
// They are placed layer by layer in class order, the highest class first
// and within a class the larger value first. Each tries the box its style
// puts it in, then boxes right of its symbol, left, above, below and at the
// four corners (a turned label only its own), and takes the first that lies
// wholly inside the view and covers no box taken so far (other labels,
// legends, details) and no symbol of a higher class of its layer; a box
// that covers no other symbol of its own class either is preferred. A
// label that fits nowhere is left out.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/coordinates.h"
#include "platform/device_context.h"
#include "styles/text_style.h"
#include "view/occupied_boxes.h"

namespace okap {

struct PendingLabel {
    int layer = 0;  // among DataLabels::layers
    int dataClass = 0;
    double value = 0.0;
    POINT anchor;           // the data point, which the style places the label by
    TBox symbol;            // the extent of the point's symbol
    int symbolNumber = -1;  // its number among the layer's symbols; -1 when not drawn
    std::string text;
};

// One layer's share: the label style of each of its classes, and the boxes
// of the symbols it has drawn with their classes.
struct LayerSymbols {
    std::vector<TextStyle> styles;
    OccupiedBoxes symbols;
    std::vector<int> symbolClasses;
};

// What the data layers of one paint leave for their labels. The legend
// boxes are those of every data layer whose legend is drawn.
struct DataLabels {
    std::vector<LayerSymbols> layers;
    std::vector<PendingLabel> labels;
    std::vector<TBox> legends;
};

// A placed label: DrawText of text with style at origin covers box.
struct PlacedLabel {
    const TextStyle* style = nullptr;
    const std::string* text = nullptr;
    POINT origin;
    TBox box;
};

// Places labels in view, taking up each placed label's box in taken, which
// holds what they must keep clear of. The result points into labels.
// Stops early when cancelled says so.
std::vector<PlacedLabel> PlaceDataLabels(DeviceContext& dc, DataLabels& labels, OccupiedBoxes& taken,
                                         const TBox& view, const std::function<bool()>& cancelled);

}  // namespace okap
