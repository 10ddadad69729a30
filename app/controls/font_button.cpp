#include "app/controls/font_button.h"

#include "app/frame/mdi_child.h"
#include "app/controls/owner_draw.h"
#include "styles/text_style.h"

namespace okap {

void DrawTextSample(DeviceContext& dc, TSize button, int viewportWidth, TextStyle& style, const std::string& sample) {
    const std::optional<TSize> extent = MapButtonToMap(dc, button, viewportWidth);
    if (!extent) return;
    style.SetFont();

    const Colour text = style.colour;
    const Colour background =
        text.Red() + text.Green() + text.Blue() > 300 ? Colour::Rgb(0, 0, 0) : Colour::Rgb(255, 255, 255);
    dc.SelectPen(Pen{Colour::Rgb(0, 0, 0), 1, PenStyle::Solid});
    dc.SelectBrush(Brush::Solid(background));
    dc.Rectangle({{0, 0}, {extent->cx - 1, extent->cy + 1}});

    const POINT centre{extent->cx / 2, extent->cy / 2};
    dc.SelectPen(Pen{Colour::Rgb(128, 128, 128), 1, PenStyle::Solid});
    dc.MoveTo({centre.x, 0});
    dc.LineTo({centre.x, extent->cy});
    dc.MoveTo({0, centre.y});
    dc.LineTo({extent->cx, centre.y});

    DrawText(dc, centre.x, centre.y, style, sample);
}

TFButton::TFButton(QWidget* parent, okapMDIChild& window, TextStyle& style, const std::string& sample, int id)
    : OwnerDrawButton(parent), window(window), style(style), sample(sample) {
    setObjectName(QString("button%1").arg(id));
}

void TFButton::ODADrawEntire(DeviceContext& dc) {
    DrawTextSample(dc, {width(), height()}, window.Document().viewportExtent.cx, style, sample);
}

}  // namespace okap
