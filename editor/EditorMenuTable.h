#pragma once
// The editor's menus and toolbar buttons, as data.

#include <vector>

namespace korvelin {

struct MenuItemSpec {
    const char* name;
    const char16_t* caption;
};

struct MenuSpec {
    const char* name;
    const char16_t* caption;
    std::vector<MenuItemSpec> items;
};

// Toolbar buttons: number, action, the menu item whose handler performs it
// (and whose caption is the image key), a tool-tip.
struct ButtonSpec {
    int number;
    int action;
    const char* menuName;
    const char16_t* imageKey;
    const char16_t* toolTip;
};

// The menu bar, left to right, each with its items top to bottom.
const std::vector<MenuSpec>& menuTable();
// The toolbar buttons; positions not listed are separators.
const std::vector<ButtonSpec>& buttonTable();

} // namespace korvelin
