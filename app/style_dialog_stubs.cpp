// Placeholders while the editors are being built; each helper removes its
// functions from here as it writes them.
#include "app/data_option_dialog.h"
#include "app/map_option_dialog.h"
#include "app/plot_style_dialog.h"
#include "app/symbol_style_dialog.h"
#include "app/text_style_dialog.h"

namespace okap {

void SetPlotStyle(QWidget*, TXStyleListBox&) {}
void SetTextStyle(QWidget*, TextStyle&, int& changed) { changed = 0; }
void SetSymbolStyle(QWidget*, const std::vector<std::string>&, Symbol&, PlotStyle&, int& changed) { changed = 0; }
bool RunMapOptionDialog(okapMDIChild&) { return false; }
std::optional<std::string> NewDataFormat(okapMDIChild&, const std::string&) { return std::nullopt; }
std::optional<std::string> EditDataFormat(okapMDIChild&, const std::string&, const std::string&) {
    return std::nullopt;
}

}  // namespace okap
