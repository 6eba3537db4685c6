// Menus loaded from the program's resources.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wordoria::platform {

struct MenuItemData {
    std::string text;  // UTF-8, '&' marks the mnemonic
    UINT id = 0;
    HMENU popup = nullptr;
    bool separator = false;
};

struct MenuData {
    std::vector<MenuItemData> items;
};

MenuData* FindMenu(HMENU menu);

}  // namespace wordoria::platform
