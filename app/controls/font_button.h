#pragma once
// A push button showing a sample text in a text style at the size it has on
// the map, against cross-hairs through the button's centre, so that
// justification and offsets show (TFButton).

#include <string>

#include "app/controls/owner_draw_button.h"
#include "core/coordinates.h"

namespace okap {

class DeviceContext;
class TextStyle;
class okapMDIChild;

// Draws sample in style on a button of button pixels, mapped to the map's
// units with the map view's viewport width (see MapButtonToMap): a white
// background framed in black, black when the text colour is light (red +
// green + blue above 300), grey cross-hairs through the centre, and the
// text placed at the centre as the map places it at a point. The style's
// font is rebuilt at the current scales. Draws nothing when the view was
// never painted.
void DrawTextSample(DeviceContext& dc, TSize button, int viewportWidth, TextStyle& style, const std::string& sample);

class TFButton : public OwnerDrawButton {
    Q_OBJECT
public:
    // window and style are not owned and must outlive the button; the
    // sample text is copied.
    TFButton(QWidget* parent, okapMDIChild& window, TextStyle& style, const std::string& sample, int id);

    // The whole button on dc, at the document's last viewport width.
    void ODADrawEntire(DeviceContext& dc) override;

private:
    okapMDIChild& window;
    TextStyle& style;
    std::string sample;
};

}  // namespace okap
