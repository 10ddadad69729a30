// The data layers' legends: a box per layer, optionally bordered and
// titled, holding one row per value class (its symbol and its label),
// filled column by column.

#include <algorithm>
#include <array>
#include <new>
#include <span>

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

// Sums of logical coordinates held to the 32-bit range, so that a legend
// box typed far outside the view cannot overflow.
int Sum(long long a, long long b) { return SafeInt(a + b); }

// Sets a legend text's style to run level and centred on its row's middle,
// aligned by justification, and rebuilds its font.
void LegendText(TextStyle& style, int32_t justification) {
    style.orientation = 0.0;
    style.offsetX = 0.0;
    style.offsetY = 0.5;
    style.justification = justification;
    style.SetFont();
}

void DrawLegend(DeviceContext& dc, Datafile& file, const TBox& view, TSize extent) {
    // Nothing to lay out: no entries, or no column to put them in.
    if (!LegendDrawn(file)) return;
    const int classCount = file.ClassCount();
    const int columns = file.legendColumns;

    const double ex = extent.cx;
    const double ey = extent.cy;
    const auto [left, top, right, bottom] = file.legendBorderPosition;
    const TBox frame = LegendBox(file, extent);
    const POINT p0 = frame.tl;
    const std::array<POINT, 5> border{p0, POINT{frame.br.x, frame.tl.y}, frame.br, POINT{frame.tl.x, frame.br.y}, p0};

    PlotStyle& borderStyle = file.legendBorderStyle;
    if (borderStyle.plot) {
        dc.SetBkMode(BackgroundMode::Transparent);
        borderStyle.SetBrush();
        borderStyle.SetPen();
        dc.SelectBrush(*borderStyle.brush);
        dc.SelectPen(*borderStyle.pen);
        if (borderStyle.fillPattern == kFillNull) {
            dc.Polyline(border);
        } else {
            dc.Polygon(border);
        }
    }

    const int rows = (classCount - 1) / columns + 1;
    const int columnWidth = SafeInt(ex * right - ex * left) / columns;
    const int height = SafeInt(ey * bottom - ey * top);
    const bool title = file.legendNameStyle.on != 0;
    // With a title the rows share the height with one more row above them.
    const int rowHeight = title ? height / (rows + 1) : height / rows;
    const long long firstRow = title ? rowHeight / 2 + static_cast<long long>(rowHeight) : rowHeight / 2;

    if (title) {
        LegendText(file.legendNameStyle, kJustifyCentre);
        DrawText(dc, SafeInt((ex * right - ex * left) * 0.5 + p0.x), Sum(p0.y, -(rowHeight / 2)),
                 file.legendNameStyle, file.legendName);
    }

    std::array<POINT, Symbol::kMaxPoints> points{};
    int column = 0;
    int row = 1;
    long long offset = firstRow;
    for (int i = 0; i < classCount; ++i) {
        DataClass& dataClass = file.classes[static_cast<size_t>(i)];
        const long long columnLeft = static_cast<long long>(p0.x) + static_cast<long long>(column) * columnWidth;
        const int y = Sum(p0.y, -offset);
        LegendText(dataClass.textStyle, kJustifyLeft);
        DrawText(dc, Sum(columnLeft, columnWidth / 3), y, dataClass.textStyle, dataClass.label);
        TBox box;
        if (file.GetLegendSymbol(points.data(), box, i, POINT{Sum(columnLeft, columnWidth / 6), y})) {
            const std::span<const POINT> outline(points.data(), static_cast<size_t>(dataClass.symbol.pointCount));
            DrawSymbol(dc, view, box, outline, file.outlineKind, dataClass.plotStyle);
        }
        offset += rowHeight;
        if (++row > rows) {
            offset = firstRow;
            ++column;
            row = 1;
        }
    }
}

}  // namespace

void MapView::DrawDataLegends(DeviceContext& dc) {
    try {
        const TBox view = ViewBox(document.windowExtent);
        // A layer whose format cannot be read is reported and left out; the
        // legends of the others are still drawn.
        int failed = 0;
        const int layers = std::clamp(document.dataLayerCount, 0, kMaxDataLayers);
        for (int i = 0; i < layers; ++i) {
            // Only the format is read: the legend needs no data point.
            const okapFileInfo& layer = document.dataLayers[static_cast<size_t>(i)];
            badclient = 0;
            auto file = OpenDataLayer(document.projection, settings, layer, false);
            if (file) DrawLegend(dc, *file, view, document.windowExtent);
            failed |= badclient;
        }
        badclient = failed;
    } catch (const std::bad_alloc&) {
        ShowError("Not enough memory!");
        EndProcess(-1);
    }
}

}  // namespace okap
