#pragma once
// The text style editor ("Text style").

class QWidget;

namespace okap {

class TextStyle;

// Shows style in the "Text style" dialog over parent. On OK stores the
// dialog's values in style (its font is not rebuilt: the caller calls
// SetFont when it next draws) and sets changed to 1; on Cancel sets it to 0
// and leaves style alone.
void SetTextStyle(QWidget* parent, TextStyle& style, int& changed);

}  // namespace okap
