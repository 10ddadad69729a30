#pragma once
// The font list of the text style dialog: the 18 names the style files
// have always used, each with the family the system draws it with, then the
// font families the system has.

#include <array>
#include <string>
#include <vector>

class QListWidget;
class QWidget;

namespace okap {

// The fonts of the style files, first in the list, in this order.
inline constexpr std::array<const char*, 18> kFontNames = {
    "Arial", "Arial Narrow", "Arial Rounded MT Bold", "Book Antiqua", "Braggadocio", "Brush Script MT",
    "Century Gothic", "Courier New", "Garamond", "Impact", "Kino MT", "Matura MT Script Capitals",
    "Modern", "MS Linedraw", "Playbill", "Jester", "Haettenschweiler", "Times New Roman"};

// The system's font families that a text style can name and draw with: the
// name fits a font request's face name and reads back from a style file as
// it was written. Sorted, without the names of kFontNames.
std::vector<std::string> SystemFontFamilies();

// A list named objectName of kFontNames and then SystemFontFamilies(), with
// the entry of the font name selected selected. An entry whose name is not
// a family of the system shows the family it is drawn with ("Arial ->
// Liberation Sans"). A selected name that neither part holds (read from a
// file) is listed first, the same way, so that it is kept rather than
// replaced. An empty name selects nothing.
QListWidget* FontList(const std::string& selected, int visibleRows, const char* objectName, QWidget* parent);

// The font name of the selected entry; empty when none is selected.
std::string SelectedFontName(const QListWidget* list);

}  // namespace okap
