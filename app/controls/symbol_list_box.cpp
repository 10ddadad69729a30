#include "app/controls/symbol_list_box.h"

#include <vector>

#include "app/controls/owner_draw.h"
#include "core/number_text.h"
#include "data/datafile.h"

namespace okap {

TXSymbolListBox::TXSymbolListBox(QWidget* parent, Datafile& data, int id) : OwnerDrawListBox(parent), data(data) {
    setObjectName(QString("list%1").arg(id));
    setSelectionMode(QAbstractItemView::MultiSelection);
}

void TXSymbolListBox::ODADrawEntire(DeviceContext& dc, const TBox& item, int row) {
    DrawListItem(dc, item, row, EntryText(row));
}

void TXSymbolListBox::DrawListItem(DeviceContext& dc, const TBox& item, int k, const std::string& text) {
    const Colour foreground = dc.GetTextColor();
    dc.FillRect(item, Brush::Solid(dc.GetBkColor()));
    if (k < 0 || k >= data.ClassCount()) return;
    DataClass& cls = data.classes[static_cast<size_t>(k)];

    // The symbol box, square.
    TBox box{{item.tl.x + 2 * kBorderX, item.tl.y + kBorderY + 1}, {0, item.br.y - (kBorderY + 1)}};
    box.br.x = box.tl.x + (box.br.y - box.tl.y);

    PlotStyle& style = cls.plotStyle;
    {
        const OnePixelLineWidth onePixel;
        style.SetPen();
        style.SetBrush();
    }
    dc.SelectPen(*style.pen);
    // A hollow style outlines its symbols on the map, so here too.
    dc.SelectBrush(style.hollow ? Brush::Hollow() : *style.brush);

    // Symbol units run from -100 to 100 across the box, y upwards.
    const double width = box.br.x - box.tl.x, height = box.br.y - box.tl.y;
    std::vector<POINT> outline;
    for (const POINT& p : cls.symbol.Outline()) {
        outline.push_back({box.tl.x + static_cast<int>(width * (p.x + 100) * 0.005),
                           box.br.y - static_cast<int>(height * (p.y + 100) * 0.005)});
    }
    dc.Polygon(outline);
    if (!style.plot)
        DrawOffCross(dc, {(box.tl.x + box.br.x) / 2, (box.tl.y + box.br.y) / 2}, (box.br.y - box.tl.y) / 3,
                     style.fillColour);

    // The label in the class's colour and font, at a size that fits the row
    // whatever the class's own: a copy takes the size, so the class's style
    // stays exactly as it was.
    TextStyle label = cls.textStyle;
    label.sizeBasis = kSizeScreen;
    label.size = 0.7;
    label.orientation = 0.0;
    label.SetFont();
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SetTextColor(cls.textStyle.colour);
    if (label.font) dc.SelectFont(*label.font);
    TBox textBox{{box.br.x + 4 * kBorderX, item.tl.y}, item.br};
    dc.DrawTextLine(textBox, text);

    // The value range in the right half of what is left.
    textBox.tl.x += (textBox.br.x - textBox.tl.x) / 2;
    dc.SetTextColor(foreground);
    dc.DrawTextLine(textBox, "[" + FormatGeneral(cls.lowValue) + "-" + FormatGeneral(cls.highValue) + "]");
}

}  // namespace okap
