#pragma once
// Qt's own file dialog opens narrower than its columns: sizes, types and
// dates are cut to "..." and the places beside them too.

class QFileDialog;

namespace okap {

// Once the dialog has read a folder, widens each column of its detailed
// view and its list of places to their contents, and the dialog with them,
// up to the width of the screen. A dialog of the desktop, which lays itself
// out, is left alone.
void ShowColumnsWhole(QFileDialog& dialog);

}  // namespace okap
