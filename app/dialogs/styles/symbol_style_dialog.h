#pragma once
// The symbol style editor ("Symbol style"): the symbol's outline by name
// from the symbol library, its size and size basis, and the plot style it is
// drawn with.

#include <QDialog>
#include <string>
#include <vector>

#include "styles/plot_style.h"

class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;

namespace okap {

class Symbol;
class TXStyleListBox;

// The one entry of the display style list.
inline constexpr const char* kDisplayStyleEntry = "  1 Plot style";
// The longest symbol name taken from the list.
inline constexpr size_t kMaxSymbolName = 29;

// The dialog's fields besides the display style, in the order of its
// controls. symbolName is the selected name, empty when none is.
struct SymbolStyleDialogTB {
    std::vector<std::string> names;
    std::string symbolName;
    bool mapSize = false;  // "Map" checked, else "Screen"
    std::string size;
    bool plotOn = false;  // "Plot On" checked, else "Plot Off"
    friend bool operator==(const SymbolStyleDialogTB&, const SymbolStyleDialogTB&) = default;
};

// The fields for symbol drawn with plot, offering names.
SymbolStyleDialogTB SymbolStyleDialogValues(const std::vector<std::string>& names, const Symbol& symbol,
                                            const PlotStyle& plot);

class SymbolStyleDialog : public QDialog {
    Q_OBJECT
public:
    // The display style list shows a copy of plot; the caller takes it back
    // with DisplayStyle after OK.
    SymbolStyleDialog(const SymbolStyleDialogTB& values, const PlotStyle& plot, QWidget* parent);

    SymbolStyleDialogTB Values() const;
    // The display style as the plot style editor left it.
    const PlotStyle& DisplayStyle() const { return displayStyle; }

    // OK: a size that is not a number is reported, and the dialog stays
    // open.
    void accept() override;

    // A double click on the display style, or "Edit display style": the plot
    // style editor on it. Its plot switch is shown by the Plot On/Off
    // buttons here.
    void HandlePlotStyle();

private:
    PlotStyle displayStyle;
    TXStyleListBox* styleList;
    QListWidget* nameList;
    QRadioButton* mapRadio;
    QLineEdit* sizeEdit;
    QRadioButton* plotOnRadio;
    QRadioButton* plotOffRadio;
};

// Shows symbol and plot in the "Symbol style" dialog over parent, offering
// names (the symbol library's names, as the caller read them). On OK sets
// changed to 1 and takes what the plot style editor did to the display
// style; then copies the chosen entry's outline from okap.sym in the map
// files directory and takes the size, size basis and plot flag. When the
// library cannot be read (the failure is reported) symbol, size and plot
// flag stay as they were; a name the library does not hold leaves the
// outline alone. On Cancel sets changed to 0 and leaves both alone.
void SetSymbolStyle(QWidget* parent, const std::vector<std::string>& names, Symbol& symbol, PlotStyle& plot,
                    int& changed);

}  // namespace okap
