#pragma once
// A push button showing a sample text in a text style at the size it has on
// the map, against cross-hairs through the button's centre, so that
// justification and offsets show (TFButton).

#include <QPushButton>
#include <string>

namespace okap {

class TextStyle;
class okapMDIChild;

class TFButton : public QPushButton {
    Q_OBJECT
public:
    // window and style are not owned and must outlive the button; the
    // sample text is copied.
    TFButton(QWidget* parent, okapMDIChild& window, TextStyle& style, const std::string& sample, int id);

private:
    okapMDIChild& window;
    TextStyle& style;
    std::string sample;
};

}  // namespace okap
