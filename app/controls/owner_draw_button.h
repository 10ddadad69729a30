#pragma once
// A push button that the class draws itself, whole, on every paint: the
// base of the sample buttons. With the keyboard focus it gets the
// platform's focus frame. A message the drawing raises (a data point that
// cannot be placed, say) is shown after the paint, and only the first
// time: shown from inside the paint, its box would bring on the next paint
// and the same message again, without end.

#include <QPushButton>

namespace okap {

class DeviceContext;

class OwnerDrawButton : public QPushButton {
    Q_OBJECT
public:
    explicit OwnerDrawButton(QWidget* parent) : QPushButton(parent) {}

    // Draws the whole button on dc, whose background and text colours are
    // the button's.
    virtual void ODADrawEntire(DeviceContext& dc) = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool messagesShown = false;
};

}  // namespace okap
