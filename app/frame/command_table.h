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

}  // namespace okap
