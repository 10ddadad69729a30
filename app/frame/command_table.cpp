#include "app/frame/command_table.h"

#include <array>

#include "app/frame/command_ids.h"

namespace okap {

namespace {

constexpr MenuItem kFileMenu[] = {
    {"&New", CM_FILENEW, false},
    {"&Open...", CM_FILEOPEN, false},
    {"&Close", CM_FILECLOSE, false},
    {nullptr, 0, false},
    {"&Save", CM_FILESAVE, true},
    {"Save &As...", CM_FILESAVEAS, true},
    {nullptr, 0, false},
    {"&Import...", CM_FILEIMPORT, false},
    {"Expor&t...", CM_FILEEXPORT, true},
    {nullptr, 0, false},
    {"Print Pre&view...", CM_FILEPRINTPREVIEW, true},
    {"&Print...", CM_FILEPRINT, true},
    {"P&rint Setup...", CM_FILEPRINTERSETUP, true},
    {nullptr, 0, false},
    {"E&xit\tAlt+F4", CM_EXIT, false},
};

constexpr MenuItem kEditMenu[] = {
    {"Copy &Bitmap", CM_COPYBITMAP, false},
    {"Copy &Metafile", CM_COPYMETAFILE, false},
};

constexpr MenuItem kOptionsMenu[] = {
    {"&Map Layers", CM_MAPLAYERS, false},
    {"&Data Layers", CM_DATALAYERS, false},
    {"&Display options", CM_DISPLAYOPTIONS, false},
    {"&Configure OKAP", CM_OKAPCONFIG, false},
};

constexpr MenuItem kMapMenu[] = {
    {"&Full Scale", CM_MAPFULLSCALE, false},
    {"&Set Coordinates", CM_MAPSETCOORDINATES, false},
};

constexpr MenuItem kViewMenu[] = {
    {"&Back\tAlt+Left", CM_VIEWBACK, false},
    {"&Forward\tAlt+Right", CM_VIEWFORWARD, false},
};

constexpr MenuItem kCursorMenu[] = {
    {"Zoom &In", CM_CURSORZOOMIN, false},
    {"Zoom &Out", CM_CURSORZOOMOUT, false},
    {"I&dentify", CM_CURSORDATAINFO, false},
    {"&Measure", CM_CURSORMEASURE, false},
};

constexpr MenuItem kToolsMenu[] = {
    {"&Map Translator", CM_TOOLTRANSLATE, false},
};

constexpr MenuItem kWindowMenu[] = {
    {"&Cascade", CM_CASCADECHILDREN, false},
    {"&Tile", CM_TILECHILDREN, false},
    {"Arrange &Icons", CM_ARRANGEICONS, false},
    {"C&lose All", CM_CLOSECHILDREN, false},
};

constexpr MenuItem kHelpMenu[] = {
    {"&Contents", CM_HELPCONTENTS, false},
    {"&Using help", CM_HELPUSING, false},
    {nullptr, 0, false},
    {"&About...", CM_HELPABOUT, false},
};

constexpr MenuPopup kMainMenu[] = {
    {"&File", "File/document operations", kFileMenu},
    {"&Edit", "Edit operations", kEditMenu},
    {"&Options", nullptr, kOptionsMenu},
    {"&Map", nullptr, kMapMenu},
    {"&View", nullptr, kViewMenu},
    {"&Cursor", nullptr, kCursorMenu},
    {"&Tools", nullptr, kToolsMenu},
    {"&Window", "Window arrangement and selection", kWindowMenu},
    {"&Help", "Access online help", kHelpMenu},
};

constexpr int kToolBar[] = {
    CM_FILENEW,      CM_FILEOPEN,      CM_FILESAVE,       0,
    CM_FILEPRINT,    CM_FILEPRINTPREVIEW, 0,
    CM_CURSORZOOMIN, CM_CURSORZOOMOUT, CM_CURSORDATAINFO, CM_CURSORMEASURE, 0,
    CM_MAPLAYERS,    CM_DATALAYERS,    CM_DISPLAYOPTIONS, CM_MAPFULLSCALE, CM_MAPSETCOORDINATES, 0,
    CM_HELPCONTENTS,
};

constexpr Accelerator kAccelerators[] = {
    {"Shift+Del", CM_EDITCUT},   {"Ctrl+Ins", CM_EDITCOPY},      {"Shift+Ins", CM_EDITPASTE},
    {"Ctrl+Del", CM_EDITCLEAR},  {"Alt+Backspace", CM_EDITUNDO}, {"F3", CM_EDITFINDNEXT},
};

constexpr StandardKey kStandardKeys[] = {
    {CM_FILENEW, "Ctrl+N"},
    {CM_FILEOPEN, "Ctrl+O"},
    {CM_FILESAVE, "Ctrl+S"},
    {CM_FILESAVEAS, "Ctrl+Shift+S"},
    {CM_FILECLOSE, "Ctrl+W"},
    {CM_FILEPRINT, "Ctrl+P"},
    {CM_EXIT, "Ctrl+Q"},
    // Copying the map is copying the picture on screen.
    {CM_COPYBITMAP, "Ctrl+C"},
    // F1 belongs to the application's help handling, which also takes
    // Shift+F1 and F1 on an open menu for context help.
    {CM_HELPCONTENTS, "F1", true},
};

struct NumberedString {
    int id;
    const char* text;
};

constexpr NumberedString kStrings[] = {
    {CM_FILENEW, "Creates a new map"},
    {CM_FILEOPEN, "Opens an existing map"},
    {CM_FILECLOSE, "Close this map"},
    {CM_FILESAVE, "Saves this map"},
    {CM_FILESAVEAS, "Saves this map with a new name"},
    {CM_FILEIMPORT, "Imports a layer of a vector dataset as a map file"},
    {CM_FILEEXPORT, "Exports the map layers for other GIS programs"},
    {CM_FILEPRINTPREVIEW, "Display full pages as read-only"},
    {CM_FILEPRINT, "Print this map"},
    {CM_FILEPRINTERSETUP, "Setup print characteristics"},
    {CM_EXIT, "Quits OKAP and prompts to save the maps"},
    {CM_COPYBITMAP, "Copy a bit-image to the clipboard"},
    {CM_COPYMETAFILE, "Copy a metafile to the clipboard"},
    {CM_MAPLAYERS, "Modify map layers"},
    {CM_DATALAYERS, "Modify data layers"},
    {CM_DISPLAYOPTIONS, "Configure display options for active map file"},
    {CM_OKAPCONFIG, "Configure basic OKAP options"},
    {CM_MAPFULLSCALE, "Display full scale world map."},
    {CM_MAPSETCOORDINATES, "Specify a center position and scale."},
    {CM_VIEWBACK, "Go back to the previous view of the map"},
    {CM_VIEWFORWARD, "Go forward to the next view of the map"},
    {CM_CURSORZOOMIN, "Use zoom in cursor"},
    {CM_CURSORZOOMOUT, "Use zoom out cursor"},
    {CM_CURSORDATAINFO, "Use data info cursor"},
    {CM_CURSORMEASURE, "Use measure cursor"},
    {CM_TOOLTRANSLATE, "Translate map files"},
    {CM_CASCADECHILDREN, "Cascades open windows"},
    {CM_TILECHILDREN, "Tiles open windows"},
    {CM_ARRANGEICONS, "Arranges iconic windows along bottom"},
    {CM_CLOSECHILDREN, "Closes all open windows"},
    {CM_HELPCONTENTS, "Help table of contents"},
    {CM_HELPUSING, "Help on using online Help"},
    {CM_HELPABOUT, "About the OKAP application"},
    {CM_EDITCUT, "Cuts the selection and puts it on the Clipboard"},
    {CM_EDITCOPY, "Copies the selection and puts it on the Clipboard"},
    {CM_EDITPASTE, "Inserts the clipboard contents at the insertion point"},
    {CM_EDITCLEAR, "Clear the document"},
    {CM_EDITUNDO, "Reverses the last operation"},
    {CM_EDITFINDNEXT, "Finds the next match"},
    {IDS_VALIDATOR_INVALID, "The entry does not match the picture %s (# is a digit, [ ] is optional)."},
    {IDS_DOCUMENT, "Document"},
    {IDS_UNABLE_TO_READ, "Unable to read file %s from disk."},
};

}  // namespace

std::span<const MenuPopup> MainMenu() { return kMainMenu; }
std::span<const int> ToolBarCommands() { return kToolBar; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }
std::span<const StandardKey> StandardKeys() { return kStandardKeys; }

const char* StringResource(int id) {
    for (const NumberedString& s : kStrings) {
        if (s.id == id) return s.text;
    }
    return nullptr;
}

// Command ids lie below the message strings' numbers (32000 and up).
const char* CommandHint(int id) { return id < 32000 ? StringResource(id) : nullptr; }

}  // namespace okap
