#pragma once
// A list of plot styles shown as samples (TXStyleListBox). Each entry's text
// is a number right-aligned in 3 characters, a blank and a name; entry
// number n is drawn with style n - 1 of the array the list shows: a sample
// box in that style (crossed when the style is switched off), then the text.
// The feature lists mark plotted features by selecting their entries, so
// the list allows several selected entries; the entry under the caret
// (currentRow) is the one the style editors work on.

#include <span>
#include <string>

#include "app/controls/owner_draw_list_box.h"
#include "styles/plot_style.h"

namespace okap {

class TXStyleListBox : public OwnerDrawListBox {
    Q_OBJECT
public:
    // styles is not owned and must outlive the list.
    TXStyleListBox(QWidget* parent, std::span<PlotStyle> styles, int id);

    std::span<PlotStyle> Styles() const { return styles; }

    void ODADrawEntire(DeviceContext& dc, const TBox& item, int row) override;

    // Draws one entry in item (device pixels, y downwards, right and bottom
    // just outside) on a row of dc's background colour, or of its text
    // colour when the style's line colour is the background colour, so that
    // the sample shows; the text then takes the background colour. The
    // style's pen and brush are rebuilt at one pixel per line-width unit.
    // An entry whose number names no style of the array gets no sample.
    void DrawListItem(DeviceContext& dc, const TBox& item, const std::string& text);

private:
    std::span<PlotStyle> styles;
};

}  // namespace okap
