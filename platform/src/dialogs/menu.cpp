#include "dialogs/menu.h"

#include "base/handle_table.h"
#include "dialogs/resources.h"

namespace wordoria::platform {
namespace {

HandleTable<MenuData>& Menus() {
    static HandleTable<MenuData> menus;
    return menus;
}

HMENU Build(const std::vector<MenuEntry>& entries) {
    HANDLE handle = Menus().Open();
    std::vector<MenuItemData> items;
    for (const MenuEntry& entry : entries) {
        MenuItemData item;
        item.text = entry.text;
        item.id = static_cast<UINT>(entry.id);
        item.separator = entry.separator;
        if (entry.popup) item.popup = Build(entry.children);
        items.push_back(item);
    }
    Menus().Find(handle)->items = std::move(items);
    return static_cast<HMENU>(handle);
}

}  // namespace

MenuData* FindMenu(HMENU menu) { return Menus().Find(menu); }

}  // namespace wordoria::platform

using namespace wordoria::platform;

HMENU WINAPI LoadMenuA(HINSTANCE, LPCSTR lpMenuName) {
    if (!IS_INTRESOURCE(lpMenuName)) return nullptr;  // the program names its resources by number
    int id = static_cast<int>(reinterpret_cast<uintptr_t>(lpMenuName));
    const MenuResource* resource = ProgramResources().FindMenu(id);
    if (resource == nullptr) {
        SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
        return nullptr;
    }
    return Build(resource->items);
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    MenuData* menu = FindMenu(hMenu);
    return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    MenuData* menu = FindMenu(hMenu);
    if (menu == nullptr || nPos < 0 || nPos >= static_cast<int>(menu->items.size())) return static_cast<UINT>(-1);
    const MenuItemData& item = menu->items[nPos];
    return item.popup != nullptr ? static_cast<UINT>(-1) : item.id;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    // Any non-null value: the layer has one module, the program itself.
    static char module;
    return reinterpret_cast<HMODULE>(&module);
}
