#pragma once
// The main menu, the tool bar and the accelerator table as data: the frame
// builds its menus and buttons from these tables.

#include <span>

namespace okap {

// One item of a popup menu; id 0 is a separator.
struct MenuItem {
    const char* text;
    int id;
    // Starts disabled; command enabling decides afterwards.
    bool grey;
};

struct MenuPopup {
    const char* title;
    // Status-bar hint of the popup itself, or nullptr.
    const char* hint;
    std::span<const MenuItem> items;
};

// The main menu, popups in menu-bar order.
std::span<const MenuPopup> MainMenu();

// The tool bar from left to right; id 0 is a separator.
std::span<const int> ToolBarCommands();

// The accelerator table: a key sequence in Qt's portable text form and the
// command it sends.
struct Accelerator {
    const char* keys;
    int id;
};
std::span<const Accelerator> Accelerators();

// The keys desktop programs share (Ctrl+O to open, Ctrl+S to save...), as
// further keys of the program's own commands, beside their accelerators.
// A key the program already gives a meaning of its own is named in the menu
// only (shownOnly): the command keeps its older handling of the key.
struct StandardKey {
    int id;
    const char* keys;
    bool shownOnly = false;
};
std::span<const StandardKey> StandardKeys();

}  // namespace okap
