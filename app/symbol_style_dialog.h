#pragma once
// The symbol style editor ("Symbol style"): the symbol's outline by name
// from the symbol library, its size and size basis, and the plot style it is
// drawn with.

#include <string>
#include <vector>

class QWidget;

namespace okap {

class PlotStyle;
class Symbol;

// Shows symbol and plot in the "Symbol style" dialog over parent, offering
// names (the symbol library's names, as the caller read them). On OK sets
// changed to 1, copies the chosen entry's outline from okap.sym in the map
// files directory and takes the size, size basis and plot flag; on Cancel
// sets changed to 0 and leaves both alone.
void SetSymbolStyle(QWidget* parent, const std::vector<std::string>& names, Symbol& symbol, PlotStyle& plot,
                    int& changed);

}  // namespace okap
