#pragma once
// A push button showing the legend symbol of one symbol class of a data
// layer at the size it has on the map (TSButton).


#include "app/controls/owner_draw_button.h"
#include "core/coordinates.h"

namespace okap {

class Datafile;
class DeviceContext;
class okapMDIChild;

// Draws the legend symbol of class cls of data on a button of button pixels,
// mapped to the map's units with the map view's viewport width (see
// MapButtonToMap): a white background, black when the class's line colour
// is light (red + green + blue above 300), and the symbol at the centre in
// the class's plot style, outlined only when the style is hollow. Draws
// nothing when the view was never painted or the class has no symbol to
// give. The class's pen and brush are rebuilt.
void DrawSymbolSample(DeviceContext& dc, TSize button, int viewportWidth, Datafile& data, int cls);

class TSButton : public OwnerDrawButton {
    Q_OBJECT
public:
    // window and data are not owned and must outlive the button.
    TSButton(QWidget* parent, okapMDIChild& window, Datafile& data, int classIndex, int id);

    // The whole button on dc, at the document's last viewport width.
    void ODADrawEntire(DeviceContext& dc) override;

private:
    okapMDIChild& window;
    Datafile& data;
    int classIndex;
};

}  // namespace okap
