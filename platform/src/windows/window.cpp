// The window table, window classes and the metrics of a window's frame.
#include "windows/window.h"

#include "base/last_error.h"
#include "text/text_encoding.h"
#include "windows/window_internal.h"

#include <map>
#include <unordered_map>

namespace wordoria::platform {
namespace {

// Handles are never reused, so a stale one stays stale. Never destroyed:
// windows end with the process, as on Windows, not in static destructors
// that would run after the driver has gone.
std::map<HWND, std::unique_ptr<Window>>& Windows() {
    static auto* windows = new std::map<HWND, std::unique_ptr<Window>>;
    return *windows;
}

std::vector<std::unique_ptr<WindowClass>>& Classes() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

// The program's classes by name, ASCII case folded.
std::unordered_multimap<std::string, const WindowClass*>& ClassesByName() {
    static std::unordered_multimap<std::string, const WindowClass*> byName;
    return byName;
}

std::string FoldedName(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) c = FoldAsciiCase(c);
    return folded;
}

// Class atoms run from 0xC000 to 0xFFFF; Windows has no more to give.
const size_t MOST_CLASSES = 0x4000;

std::vector<std::unique_ptr<WindowClass>>& BuiltinClasses() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

bool SameClassName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    }
    return true;
}

// Frame metrics of our top-level windows, as on a classic Windows theme.
const int CAPTION_HEIGHT = 23;
const int FIXED_BORDER = 3;

}  // namespace


namespace {
// The window asked for last: a paint asks for the same one call after call.
Window* lastFound = nullptr;
}  // namespace

Window* FindWindowObject(HWND handle) {
    if (lastFound != nullptr && lastFound->handle == handle) return lastFound;
    auto found = Windows().find(handle);
    if (found == Windows().end()) return nullptr;
    lastFound = found->second.get();
    return lastFound;
}

const std::map<HWND, std::unique_ptr<Window>>& WindowTable() { return Windows(); }

Window* AddWindow(std::unique_ptr<Window> window) {
    static uintptr_t next = 0x10010;
    window->handle = reinterpret_cast<HWND>(next);
    next += 4;
    Window* added = window.get();
    Windows()[added->handle] = std::move(window);
    return added;
}

void RemoveWindow(HWND handle) {
    auto found = Windows().find(handle);
    if (found == Windows().end()) return;
    std::unique_ptr<Window> window = std::move(found->second);
    Windows().erase(found);
    if (lastFound == window.get()) lastFound = nullptr;
    // The driver's objects go last, once nothing can reach the record any more.
    window->native.reset();
}

RECT NonClientExtents(const Window& window) {
    RECT extents{0, 0, 0, 0};
    auto grow = [&](int by) {
        extents.left += by;
        extents.top += by;
        extents.right += by;
        extents.bottom += by;
    };
    if (!window.IsChild()) {
        if ((window.style & WS_CAPTION) == WS_CAPTION) extents.top += CAPTION_HEIGHT;
        if ((window.style & (WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) != 0) grow(FIXED_BORDER);
        if (window.menu != nullptr) extents.top += MENU_BAR_HEIGHT;
    } else if (window.style & WS_BORDER) {
        grow(1);
    }
    if (window.exStyle & WS_EX_CLIENTEDGE) grow(2);
    if (window.exStyle & WS_EX_STATICEDGE) grow(1);
    return extents;
}

RECT ClientRectOf(const Window& window) {
    RECT extents = NonClientExtents(window);
    LONG width = window.rect.right - window.rect.left - extents.left - extents.right;
    LONG height = window.rect.bottom - window.rect.top - extents.top - extents.bottom;
    return RECT{0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

POINT ClientOrigin(const Window& window) {
    RECT extents = NonClientExtents(window);
    return POINT{window.rect.left + extents.left, window.rect.top + extents.top};
}

const WindowClass* FindWindowClass(const std::string& name) {
    auto found = ClassesByName().find(FoldedName(name));
    if (found != ClassesByName().end()) return found->second;
    for (auto& windowClass : BuiltinClasses()) {
        if (SameClassName(windowClass->name, name)) return windowClass.get();
    }
    return nullptr;
}

void RegisterBuiltinClass(WindowClass windowClass) {
    BuiltinClasses().push_back(std::make_unique<WindowClass>(std::move(windowClass)));
}

void RegisterControlClasses(const std::vector<ControlClass>& classes) {
    for (const ControlClass& control : classes) {
        if (FindWindowClass(control.name) != nullptr) continue;
        WindowClass windowClass;
        windowClass.name = control.name;
        windowClass.style = control.style;
        windowClass.proc = control.proc;
        windowClass.background = control.background;
        windowClass.controlKind = control.kind;
        RegisterBuiltinClass(std::move(windowClass));
    }
}

bool IsShowing(const Window& window) {
    const Window* current = &window;
    while (current != nullptr) {
        if (!current->visible) return false;
        current = current->parent != nullptr ? FindWindowObject(current->parent) : nullptr;
    }
    return true;
}

LRESULT Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr || window->proc == nullptr) return 0;
    return window->proc(handle, message, wParam, lParam);
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr || lpWndClass->lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folded = FoldedName(lpWndClass->lpszClassName);
    auto [first, last] = ClassesByName().equal_range(folded);
    for (auto it = first; it != last; ++it) {
        if (it->second->instance == lpWndClass->hInstance) {
            SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
            return 0;
        }
    }
    if (Classes().size() >= MOST_CLASSES) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = lpWndClass->lpszClassName;
    windowClass->style = lpWndClass->style;
    windowClass->proc = lpWndClass->lpfnWndProc;
    windowClass->instance = lpWndClass->hInstance;
    windowClass->background = lpWndClass->hbrBackground;
    ClassesByName().emplace(std::move(folded), windowClass.get());
    Classes().push_back(std::move(windowClass));
    return static_cast<ATOM>(0xC000 + Classes().size() - 1);
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    if (lpClassName == nullptr || lpWndClass == nullptr) return FALSE;
    const WindowClass* found = FindWindowClass(lpClassName);
    if (found == nullptr || (found->instance != nullptr && found->instance != hInstance && hInstance != nullptr)) {
        SetLastError(1411);  // ERROR_CLASS_DOES_NOT_EXIST
        return FALSE;
    }
    *lpWndClass = WNDCLASSA{found->style, found->proc, 0,       0,      found->instance,
                            nullptr,      nullptr,     found->background, nullptr, lpClassName};
    return TRUE;
}
