#include "app/symbol_button.h"

namespace okap {

TSButton::TSButton(QWidget* parent, okapMDIChild& window, Datafile& data, int classIndex, int id)
    : QPushButton(parent), window(window), data(data), classIndex(classIndex) {
    setObjectName(QString("button%1").arg(id));
}

}  // namespace okap
