// Placeholders while the editors are being built; each helper removes its
// functions from here as it writes them.
#include "app/data_option_dialog.h"
#include "app/map_option_dialog.h"

namespace okap {

bool RunMapOptionDialog(okapMDIChild&) { return false; }
std::optional<std::string> NewDataFormat(okapMDIChild&, const std::string&) { return std::nullopt; }
std::optional<std::string> EditDataFormat(okapMDIChild&, const std::string&, const std::string&) {
    return std::nullopt;
}

}  // namespace okap
