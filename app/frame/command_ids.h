#pragma once
// The command ids of the menus, the tool bar and the accelerators. Each id is
// also the number of the command's status-bar hint in the string table, of
// its tool-bar glyph (resources/glyphs/<id>.png) and of its help topic
// (resources/help/<id>.html).

namespace okap {

// File
inline constexpr int CM_FILENEW = 24331;
inline constexpr int CM_FILEOPEN = 24332;
inline constexpr int CM_FILECLOSE = 24339;
inline constexpr int CM_FILESAVE = 24333;
inline constexpr int CM_FILESAVEAS = 24334;
inline constexpr int CM_FILEIMPORT = 24335;
inline constexpr int CM_FILEEXPORT = 24336;
inline constexpr int CM_FILEPRINTPREVIEW = 24340;
inline constexpr int CM_FILEPRINT = 24337;
inline constexpr int CM_FILEPRINTERSETUP = 24338;
inline constexpr int CM_EXIT = 24310;
// Edit
inline constexpr int CM_COPYBITMAP = 23104;
inline constexpr int CM_COPYMETAFILE = 23105;
// Options
inline constexpr int CM_MAPLAYERS = 24810;
inline constexpr int CM_DATALAYERS = 24808;
inline constexpr int CM_DISPLAYOPTIONS = 24812;
inline constexpr int CM_OKAPCONFIG = 24814;
// Map
inline constexpr int CM_MAPFULLSCALE = 24702;
inline constexpr int CM_MAPSETCOORDINATES = 24703;
inline constexpr int CM_VIEWBACK = 24704;
inline constexpr int CM_VIEWFORWARD = 24705;
// Cursor
inline constexpr int CM_CURSORZOOMIN = 23120;
inline constexpr int CM_CURSORZOOMOUT = 23121;
inline constexpr int CM_CURSORDATAINFO = 23122;
inline constexpr int CM_CURSORMEASURE = 23123;
// Tools
inline constexpr int CM_TOOLTRANSLATE = 24816;
// Window
inline constexpr int CM_CASCADECHILDREN = 24361;
inline constexpr int CM_TILECHILDREN = 24362;
inline constexpr int CM_ARRANGEICONS = 24364;
inline constexpr int CM_CLOSECHILDREN = 24365;
// Help
inline constexpr int CM_HELPCONTENTS = 24501;
inline constexpr int CM_HELPUSING = 24502;
inline constexpr int CM_HELPABOUT = 24509;

// The accelerator table's six edit keys. No menu item, button or handler
// carries them, so outside context-help mode they do nothing.
inline constexpr int CM_EDITUNDO = 24321;
inline constexpr int CM_EDITCUT = 24322;
inline constexpr int CM_EDITCOPY = 24323;
inline constexpr int CM_EDITPASTE = 24324;
inline constexpr int CM_EDITCLEAR = 24326;
inline constexpr int CM_EDITFINDNEXT = 24353;

// Other numbered strings of the string table.
inline constexpr int IDS_VALIDATOR_INVALID = 32520;  // the picture validator's complaint
inline constexpr int IDS_DOCUMENT = 32550;           // "Document": title of a new map, before its number
inline constexpr int IDS_UNABLE_TO_READ = 32551;     // "Unable to read file %s from disk."

// The status-bar hint of a command id (the string of the same number), or
// nullptr when the id has none.
const char* CommandHint(int id);

// Any numbered string of the string table: the command hints and the
// IDS_... strings above; nullptr for an unknown number.
const char* StringResource(int id);

}  // namespace okap
