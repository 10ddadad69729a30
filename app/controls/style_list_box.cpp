#include "app/controls/style_list_box.h"

#include "app/controls/owner_draw.h"
#include "styles/map_format.h"

namespace okap {

TXStyleListBox::TXStyleListBox(QWidget* parent, std::span<PlotStyle> styles, int id)
    : OwnerDrawListBox(parent), styles(styles) {
    setObjectName(QString("list%1").arg(id));
    setSelectionMode(QAbstractItemView::MultiSelection);
}

void TXStyleListBox::ODADrawEntire(DeviceContext& dc, const TBox& item, int row) {
    DrawListItem(dc, item, EntryText(row));
}

void TXStyleListBox::DrawListItem(DeviceContext& dc, const TBox& item, const std::string& text) {
    const std::optional<int32_t> number = EntryFeatureNumber(text);
    PlotStyle* style = number && *number >= 1 && static_cast<size_t>(*number) <= styles.size()
                           ? &styles[static_cast<size_t>(*number - 1)]
                           : nullptr;

    const Colour background = dc.GetBkColor();
    const Colour foreground = dc.GetTextColor();
    const bool swapped = style && style->lineColour == background;
    dc.FillRect(item, Brush::Solid(swapped ? foreground : background));

    // The sample box, twice as wide as high, and its centre.
    TBox box{{item.tl.x + 2 * kBorderX, item.tl.y + kBorderY + 2}, {0, item.br.y - (kBorderY + 2)}};
    box.br.x = box.tl.x + 2 * (box.br.y - box.tl.y);
    const POINT centre{(box.tl.x + box.br.x) / 2, (box.tl.y + box.br.y) / 2};

    if (style) {
        const OnePixelLineWidth onePixel;
        style->SetPen();
        style->SetBrush();
        dc.SelectPen(*style->pen);
        if (!style->hollow) {
            // The frame's inside gets the style's brush too, so no strip of
            // another colour shows where a device draws frames a pixel wider.
            dc.SelectBrush(*style->brush);
            dc.Rectangle(box);
            box = {{box.tl.x + 1, box.tl.y + 1}, {box.br.x - 1, box.br.y - 1}};
            dc.FillRect(box, *style->brush);
        } else {
            dc.MoveTo({box.tl.x, centre.y});
            dc.LineTo({box.br.x, centre.y});
        }
        if (!style->plot)
            DrawOffCross(dc, centre, (box.br.y - box.tl.y) / 3, style->hollow ? style->lineColour : style->fillColour);
    }

    // On a row of the text colour a text in that colour would not show; a
    // transparent background keeps it from being boxed in either colour.
    dc.SetBkMode(BackgroundMode::Transparent);
    if (swapped) dc.SetTextColor(background);
    dc.DrawTextLine({{box.br.x + 4 * kBorderX, item.tl.y}, item.br}, text);
    if (swapped) dc.SetTextColor(foreground);
}

}  // namespace okap
