#include "view/map_extent.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/geometry.h"
#include "core/globals.h"
#include "mapfiles/mapfile.h"
#include "platform/message_box.h"
#include "platform/set_wd.h"
#include "view/map_document.h"
#include "view/map_view.h"

namespace okap {

namespace {

// Each side of the view keeps this fraction of its size free.
constexpr double kMargin = 0.05;

// The view's world width is three times its scale in decimetres.
constexpr double kWorldWidthPerScale = 3.0;

}  // namespace

std::optional<LBox> MapLayersExtent(const MapDocument& document, const std::string& mapDirectory) {
    // Reading a broken file reports it and flags the paint; the paint that
    // follows reports it in its turn, so here it is only left out.
    MessageRecorder quiet;
    const int wasBad = badclient;
    std::optional<LBox> extent;
    if (SetWD(mapDirectory) == 0) {
        const int layers = std::clamp(document.mapLayerCount, 0, kMaxMapLayers);
        for (int layer = 0; layer < layers; ++layer) {
            Mapfile map;
            if (!map.OpenInfile(document.mapLayers[layer].file)) continue;
            while (map.ReadDirectory() && !map.EndOfInFile()) {
                const LBox& box = map.InSegment().box;
                if (!extent) {
                    extent = box;
                    continue;
                }
                extent->tl.x = std::min(extent->tl.x, box.tl.x);
                extent->tl.y = std::max(extent->tl.y, box.tl.y);
                extent->br.x = std::max(extent->br.x, box.br.x);
                extent->br.y = std::min(extent->br.y, box.br.y);
            }
            map.CloseInfile();
        }
    }
    badclient = wasBad;
    return extent;
}

FittedView FitExtent(const LBox& extent, TSize windowExtent) {
    const double width = static_cast<double>(extent.br.x) - extent.tl.x;
    const double height = static_cast<double>(extent.tl.y) - extent.br.y;
    const double aspect =
        windowExtent.cx > 0 && windowExtent.cy > 0 ? static_cast<double>(windowExtent.cy) / windowExtent.cx : 1.0;
    const double needed = std::max(width, height / aspect) / (1.0 - 2.0 * kMargin);
    FittedView view;
    view.centre = {SafeLong((static_cast<double>(extent.tl.x) + extent.br.x) / 2.0),
                   SafeLong((static_cast<double>(extent.tl.y) + extent.br.y) / 2.0)};
    view.scale = static_cast<int32_t>(
        std::clamp(std::ceil(needed / kWorldWidthPerScale), static_cast<double>(kMinimumScale),
                   static_cast<double>(kFullScale)));
    return view;
}

}  // namespace okap
