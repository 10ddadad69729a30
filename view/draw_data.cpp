// The data layers' points: for each layer the line joining its points in
// file order, then a symbol per point in the style of its value class, with
// the point's label (or, where the layer avoids label overlaps, the label
// left for DrawDataLabels to place).

#include <algorithm>
#include <array>
#include <new>
#include <span>
#include <string>

#include "core/geometry.h"
#include "core/globals.h"
#include "data/datafile.h"
#include "platform/message_box.h"
#include "platform/process_end.h"
#include "view/draw_symbol.h"
#include "view/legend_box.h"
#include "view/map_document.h"
#include "view/map_view.h"
#include "view/open_data_layer.h"

namespace okap {

namespace {

using PointBuffer = std::array<POINT, Symbol::kMaxPoints>;

// Joins the valid points one after another. A point outside every class is
// passed over without breaking the line; one the projection cannot show
// breaks it, so that no line is drawn towards where it would be.
void DrawJoinLine(DeviceContext& dc, Datafile& file, const TBox& view) {
    PlotStyle& join = file.symbolJoinStyle;
    if (!join.plot) return;
    join.SetBrush();
    join.SetPen();
    PointBuffer points{};
    TBox box;
    bool first = true;
    POINT previous;
    while (!file.EndOfInfile() && file.GetPlot(points.data(), box, 1)) {
        if (file.hidden) first = true;
        if (!file.pointValid) continue;
        const POINT current = points[0];
        if (!first) {
            POINT a = previous;
            POINT b = current;
            if (LineInsideBox(view, a, b) || (!LineOutsideBox(view, a, b) && ClipLine(view, a, b) != 0)) {
                dc.SelectBrush(*join.brush);
                dc.SelectPen(*join.pen);
                dc.MoveTo(a);
                dc.LineTo(b);
            }
        }
        first = false;
        previous = current;
    }
}

// The symbol of every valid point, and its label when the point has one,
// its class's labels are on and the symbol is not wholly outside the view.
// When the layer avoids label overlaps (placed is given), the labels and
// the symbols drawn go to placed, to be drawn once all are known.
void DrawSymbols(DeviceContext& dc, Datafile& file, const TBox& view, DataLabels* placed) {
    LayerSymbols* layer = nullptr;
    if (placed) {
        layer = &placed->layers.emplace_back();
        for (int i = 0; i < file.ClassCount(); ++i) layer->styles.push_back(file.classes[static_cast<size_t>(i)].textStyle);
    }
    PointBuffer points{};
    TBox box;
    while (!file.EndOfInfile() && file.GetPlot(points.data(), box, 3)) {
        if (!file.pointValid) continue;
        DataClass& dataClass = file.classes[static_cast<size_t>(file.currentClass)];
        const std::span<const POINT> outline(points.data(), static_cast<size_t>(dataClass.symbol.pointCount));
        const bool visible = DrawSymbol(dc, view, box, outline, file.outlineKind, dataClass.plotStyle);
        int symbolNumber = -1;
        if (layer && visible && dataClass.plotStyle.plot) {
            symbolNumber = static_cast<int>(layer->symbols.Size());
            layer->symbols.Add(box);
            layer->symbolClasses.push_back(file.currentClass);
        }
        if (!visible || !file.hasLabel || !dataClass.textStyle.on) continue;
        std::string label;
        if (!file.GetLabel(label)) continue;
        if (layer) {
            placed->labels.push_back({static_cast<int>(placed->layers.size() - 1), file.currentClass, file.value,
                                      file.centre, box, symbolNumber, std::move(label)});
        } else {
            DrawText(dc, file.centre.x, file.centre.y, dataClass.textStyle, label);
        }
    }
}

}  // namespace

void MapView::DrawData(DeviceContext& dc) {
    try {
        const TBox view = ViewBox(document.windowExtent);
        // A layer whose files cannot be read is reported and left out; the
        // layers after it are still drawn. badclient tells the paint that
        // something was reported.
        int failed = 0;
        dataLabels = {};
        const int layers = std::clamp(document.dataLayerCount, 0, kMaxDataLayers);
        for (int i = 0; i < layers && !Cancelled(); ++i) {
            const okapFileInfo& layer = document.dataLayers[static_cast<size_t>(i)];
            badclient = 0;
            // Each pass reads the data file from its start with a Datafile of
            // its own. After an error in the first the layer is left, so the
            // second does not show the same error again.
            if (auto file = OpenDataLayer(document.projection, settings, layer, true)) {
                DrawJoinLine(dc, *file, view);
                file->CloseInfile();
            }
            if (!badclient) {
                if (auto file = OpenDataLayer(document.projection, settings, layer, true)) {
                    if (LegendDrawn(*file)) dataLabels.legends.push_back(LegendBox(*file, document.windowExtent));
                    DrawSymbols(dc, *file, view, file->avoidLabelOverlaps ? &dataLabels : nullptr);
                    file->CloseInfile();
                }
            }
            failed |= badclient;
        }
        badclient = failed;
    } catch (const std::bad_alloc&) {
        ShowError("Not enough memory!");
        EndProcess(-1);
    }
}

}  // namespace okap
