#pragma once
// A list of plot styles shown as samples (TXStyleListBox). Each entry's text
// is a number right-aligned in 3 characters, a blank and a name; entry
// number n is drawn with style n - 1 of the array the list shows: a sample
// box in that style (crossed when the style is switched off), then the text.
// The feature lists mark plotted features by selecting their entries, so
// the list allows several selected entries; the entry under the caret
// (currentRow) is the one the style editors work on.

#include <QListWidget>
#include <span>

#include "styles/plot_style.h"

namespace okap {

class TXStyleListBox : public QListWidget {
    Q_OBJECT
public:
    // styles is not owned and must outlive the list.
    TXStyleListBox(QWidget* parent, std::span<PlotStyle> styles, int id);

    std::span<PlotStyle> Styles() const { return styles; }

private:
    std::span<PlotStyle> styles;
};

}  // namespace okap
