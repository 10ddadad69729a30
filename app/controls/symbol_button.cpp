#include "app/controls/symbol_button.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/frame/mdi_child.h"
#include "app/controls/owner_draw.h"
#include "data/datafile.h"

namespace okap {

namespace {

// An outline drawn as an open line.
constexpr int32_t kOpenOutline = 2;

}  // namespace

void DrawSymbolSample(DeviceContext& dc, TSize button, int viewportWidth, Datafile& data, int cls) {
    const std::optional<TSize> extent = MapButtonToMap(dc, button, viewportWidth);
    if (!extent) return;

    std::array<POINT, Symbol::kMaxPoints> points{};
    TBox box;
    if (!data.GetLegendSymbol(points.data(), box, cls, {extent->cx / 2, extent->cy / 2})) return;
    DataClass& symbolClass = data.classes[static_cast<size_t>(cls)];
    PlotStyle& style = symbolClass.plotStyle;

    const Colour line = style.lineColour;
    const Colour background =
        line.Red() + line.Green() + line.Blue() > 300 ? Colour::Rgb(0, 0, 0) : Colour::Rgb(255, 255, 255);
    dc.SelectPen(Pen{background, 1, PenStyle::Solid});
    dc.SelectBrush(Brush::Solid(background));
    dc.Rectangle({{0, 0}, {extent->cx - 1, extent->cy + 1}});

    style.SetBrush();
    style.SetPen();
    dc.SelectBrush(*style.brush);
    dc.SelectPen(*style.pen);
    const std::span<const POINT> outline(points.data(),
                                         static_cast<size_t>(std::clamp(symbolClass.symbol.pointCount, 0,
                                                                        Symbol::kMaxPoints)));
    if (data.outlineKind == kClosedOutline) {
        if (style.hollow)
            dc.Polyline(outline);
        else
            dc.Polygon(outline);
    } else if (data.outlineKind == kOpenOutline) {
        dc.Polyline(outline);
    }
}

TSButton::TSButton(QWidget* parent, okapMDIChild& window, Datafile& data, int classIndex, int id)
    : OwnerDrawButton(parent), window(window), data(data), classIndex(classIndex) {
    setObjectName(QString("button%1").arg(id));
}

void TSButton::ODADrawEntire(DeviceContext& dc) {
    DrawSymbolSample(dc, {width(), height()}, window.Document().viewportExtent.cx, data, classIndex);
}

}  // namespace okap
