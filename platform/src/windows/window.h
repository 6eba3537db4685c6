// Windows as the layer keeps them: one record per HWND, its class, its place
// in the tree, its update region and its counterpart on screen (the driver's).
#pragma once

#include <windows.h>

#include "driver/driver.h"
#include "painting/region.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wordoria::platform {

struct WindowClass {
    std::string name;  // Shift-JIS; compared without regard to ASCII case
    UINT style = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    // A control class of the driver's: its windows are the driver's own
    // controls, not painted surfaces. -1 for every other class.
    int controlKind = -1;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    HWND parent = nullptr;
    HWND owner = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    HMENU menu = nullptr;
    HINSTANCE instance = nullptr;
    RECT rect{};  // screen coordinates when top-level, parent client coordinates when a child
    std::string text;
    std::vector<HWND> children;  // in creation order
    UpdateRegion update;
    bool erase = false;
    bool visible = false;
    bool enabled = true;
    bool sizeUntold = false;  // WM_SIZE and WM_MOVE wait for its first showing
    HFONT font = nullptr;
    DLGPROC dialogProc = nullptr;     // dialogs only
    std::unique_ptr<NativeWindow> native;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
};

Window* FindWindowObject(HWND handle);
// Every window by handle, in creation order.
const std::map<HWND, std::unique_ptr<Window>>& WindowTable();

// Frame sizes around the client area: the caption and border of a top-level
// window, the menu bar, and the client edge.
RECT NonClientExtents(const Window& window);
RECT ClientRectOf(const Window& window);  // origin 0, 0
// The client origin of a window in screen coordinates (top-level) or in its
// parent's client coordinates (child).
POINT ClientOrigin(const Window& window);

const WindowClass* FindWindowClass(const std::string& name);
void RegisterBuiltinClass(WindowClass windowClass);
// The driver's predefined controls (BUTTON, EDIT, ...), registered once when
// it is installed.
void RegisterControlClasses(const std::vector<ControlClass>& classes);

// Whether the window and all its ancestors are visible.
bool IsShowing(const Window& window);

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace wordoria::platform
