#pragma once
// The symbol classes of a data layer as a list (TXSymbolListBox): entry k
// shows class k's symbol in its plot style, its label text in its text
// colour and its value range.

#include <string>

#include "app/controls/owner_draw_list_box.h"

namespace okap {

class Datafile;

class TXSymbolListBox : public OwnerDrawListBox {
    Q_OBJECT
public:
    // data is not owned and must outlive the list.
    TXSymbolListBox(QWidget* parent, Datafile& data, int id);

    Datafile& Data() const { return data; }

    void ODADrawEntire(DeviceContext& dc, const TBox& item, int row) override;

    // Draws entry k, which stands for class k, in item (device pixels, y
    // downwards, right and bottom just outside): the class's symbol in a
    // square box in its plot style (crossed when switched off), the text in
    // the class's text colour and font at 0.7 points on the screen basis,
    // level, and "[low-high]" in dc's text colour. The class's pen and brush
    // are rebuilt at one pixel per line-width unit; its text style is left
    // as it was. An entry with no class draws only its row.
    void DrawListItem(DeviceContext& dc, const TBox& item, int k, const std::string& text);

private:
    Datafile& data;
};

}  // namespace okap
