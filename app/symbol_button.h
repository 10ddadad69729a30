#pragma once
// A push button showing the legend symbol of one symbol class of a data
// layer at the size it has on the map (TSButton).

#include <QPushButton>

namespace okap {

class Datafile;
class okapMDIChild;

class TSButton : public QPushButton {
    Q_OBJECT
public:
    // window and data are not owned and must outlive the button.
    TSButton(QWidget* parent, okapMDIChild& window, Datafile& data, int classIndex, int id);

private:
    okapMDIChild& window;
    Datafile& data;
    int classIndex;
};

}  // namespace okap
