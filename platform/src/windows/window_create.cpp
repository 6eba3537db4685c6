// Creating and destroying windows, and the default window procedure.
#include "windows/window_internal.h"

#include "base/last_error.h"
#include "queue/message_queue.h"

#include <algorithm>
#include <cstring>

namespace wordoria::platform {
namespace {

const int DEFAULT_X = 40;
const int DEFAULT_Y = 40;
const int DEFAULT_WIDTH = 640;
const int DEFAULT_HEIGHT = 480;

RECT InitialRect(const Window& window, int x, int y, int width, int height) {
    if (!window.IsChild()) {
        if (x == CW_USEDEFAULT) x = DEFAULT_X, y = DEFAULT_Y;
        if (width == CW_USEDEFAULT) width = DEFAULT_WIDTH, height = DEFAULT_HEIGHT;
    } else {
        if (x == CW_USEDEFAULT) x = 0, y = 0;
        if (width == CW_USEDEFAULT) width = 0, height = 0;
    }
    return RECT{x, y, x + width, y + height};
}

// WM_DESTROY to the window, then to each child's subtree in creation order:
// a parent hears it first, while its children still exist.
void SendDestroyMessages(HWND handle) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) return;
    if (window->visible) SetVisibility(*window, false);
    Send(handle, WM_DESTROY, 0, 0);
    window = FindWindowObject(handle);
    if (window == nullptr) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) SendDestroyMessages(child);
}

// The children go first, each with its WM_NCDESTROY, then the window itself.
void FreeWindow(HWND handle) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) return;
    std::vector<HWND> children = window->children;
    for (HWND child : children) FreeWindow(child);
    Send(handle, WM_NCDESTROY, 0, 0);
    window = FindWindowObject(handle);
    if (window == nullptr) return;
    if (Window* parent = FindWindowObject(window->parent)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), handle), siblings.end());
    }
    ForgetMessagesFor(handle);
    RemoveWindow(handle);
}

// A window whose creation failed never lived: it hears only its last message.
void Fail(HWND handle) { FreeWindow(handle); }

// The messages Win32 sends while CreateWindowEx runs, in its order.
bool SendCreationMessages(Window& window, CREATESTRUCTA* create) {
    HWND handle = window.handle;
    if (!window.IsChild()) {
        MINMAXINFO limits{};
        limits.ptMaxSize = POINT{1920, 1080};
        limits.ptMaxTrackSize = POINT{1920, 1080};
        Send(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        if (FindWindowObject(handle) == nullptr) return false;
    }
    if (Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create)) == 0) return false;
    RECT proposed = window.rect;
    Send(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    if (FindWindowObject(handle) == nullptr) return false;
    return Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(create)) != -1 && FindWindowObject(handle) != nullptr;
}

std::unique_ptr<NativeWindow> CreateNative(Window& window) {
    Driver& driver = TheDriver();
    if (window.windowClass->controlKind >= 0) return driver.CreateControl(window.windowClass->controlKind, window);
    return window.IsChild() ? driver.CreateChild(window) : driver.CreateTopLevel(window);
}

}  // namespace
}  // namespace wordoria::platform

using namespace wordoria::platform;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
    const WindowClass* windowClass = lpClassName != nullptr ? FindWindowClass(lpClassName) : nullptr;
    if (windowClass == nullptr) {
        SetLastError(1407);  // ERROR_CANNOT_FIND_WND_CLASS
        return nullptr;
    }
    Window* parent = hWndParent != nullptr ? FindWindowObject(hWndParent) : nullptr;
    if ((dwStyle & WS_CHILD) && parent == nullptr) {
        SetLastError(1406);  // ERROR_TLW_WITH_WSCHILD
        return nullptr;
    }

    auto record = std::make_unique<Window>();
    record->windowClass = windowClass;
    record->proc = windowClass->proc;
    record->style = dwStyle & ~WS_VISIBLE;
    record->enabled = (dwStyle & WS_DISABLED) == 0;
    record->exStyle = dwExStyle;
    record->instance = hInstance;
    if (dwStyle & WS_CHILD) {
        record->parent = hWndParent;
        record->id = static_cast<int>(reinterpret_cast<intptr_t>(hMenu));
    } else {
        record->owner = hWndParent;
        record->menu = hMenu;
    }
    record->rect = InitialRect(*record, X, Y, nWidth, nHeight);
    Window* window = AddWindow(std::move(record));
    HWND handle = window->handle;
    if (parent != nullptr && window->IsChild()) parent->children.push_back(handle);
    window->native = CreateNative(*window);

    CREATESTRUCTA create{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                         static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
    if (!SendCreationMessages(*window, &create)) {
        Fail(handle);
        return nullptr;
    }
    window->native->SetGeometry(window->rect);
    // An overlapped window hears its size when first shown; any other at once.
    if ((dwStyle & (WS_CHILD | WS_POPUP)) == 0) {
        window->sizeUntold = true;
    } else {
        SendSizeMessages(*window);
        if (FindWindowObject(handle) == nullptr) return nullptr;
    }
    if (dwStyle & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    if (FindWindowObject(hWnd) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    SendDestroyMessages(hWnd);
    FreeWindow(hWnd);
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (create != nullptr && create->lpszName != nullptr) window->text = create->lpszName;
        if (window->native) window->native->TextChanged();
        return TRUE;
    }
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_ACTIVATE:
        // An activated window takes the keyboard focus itself, whatever child had it.
        if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) Send(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_SETTEXT:
        window->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
        window->native->TextChanged();
        return TRUE;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(window->text.size());
    case WM_GETTEXT: {
        return CopyTextOut(window->text, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        // Fills what is to be painted with the class brush.
        HBRUSH brush = window->windowClass->background;
        auto dc = reinterpret_cast<HDC>(wParam);
        if (brush == nullptr || dc == nullptr) return 0;
        RECT client = ClientRectOf(*window);
        FillRect(dc, &client, brush);
        return 1;
    }
    case WM_SETFONT: window->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(window->font);
    default: return 0;
    }
}
