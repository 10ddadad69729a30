#pragma once
// The plot style editor ("Plot style"): SetPlotStyle edits the style of
// the entry under a style list's caret.

class QWidget;

namespace okap {

class TXStyleListBox;

// Edits the style that the entry under list's caret draws: shows it in the
// "Plot style" dialog over parent and, on OK, stores the dialog's values in
// the style, rebuilds its pen and brush, rewrites the entry with the
// (possibly renamed) name and repaints the list. Cancel changes nothing.
void SetPlotStyle(QWidget* parent, TXStyleListBox& list);

}  // namespace okap
