#include "app/font_button.h"

namespace okap {

TFButton::TFButton(QWidget* parent, okapMDIChild& window, TextStyle& style, const std::string& sample, int id)
    : QPushButton(parent), window(window), style(style), sample(sample) {
    setObjectName(QString("button%1").arg(id));
}

}  // namespace okap
