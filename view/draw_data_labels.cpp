// The labels of the data layers that avoid label overlaps, placed clear of
// each other, of the grid labels, the legends and the details, and drawn.

#include <new>
#include <vector>

#include "platform/message_box.h"
#include "platform/process_end.h"
#include "styles/text_style.h"
#include "view/detail_boxes.h"
#include "view/draw_symbol.h"
#include "view/map_document.h"
#include "view/map_view.h"
#include "view/occupied_boxes.h"

namespace okap {

void MapView::DrawDataLabels(DeviceContext& dc) {
    try {
        if (dataLabels.labels.empty()) return;
        OccupiedBoxes taken;
        for (const TBox& box : gridLabelBoxes) taken.Add(box);
        for (const TBox& box : dataLabels.legends) taken.Add(box);
        for (const TBox& box : DetailTextBoxes(dc, document)) taken.Add(box);
        const std::vector<PlacedLabel> placed =
            PlaceDataLabels(dc, dataLabels, taken, ViewBox(document.windowExtent), settings.cancelled);
        for (const PlacedLabel& label : placed) {
            if (Cancelled()) break;
            DrawText(dc, label.origin.x, label.origin.y, *label.style, *label.text);
        }
        dataLabels = {};
    } catch (const std::bad_alloc&) {
        ShowError("Not enough memory!");
        EndProcess(-1);
    }
}

}  // namespace okap
