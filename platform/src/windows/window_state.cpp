// Showing, moving and asking about windows.
#include "windows/window_internal.h"

#include "base/last_error.h"
#include "text/text_encoding.h"

#include <algorithm>
#include <cstring>

namespace wordoria::platform {
namespace {

HWND activeWindow = nullptr;
HWND focusWindow = nullptr;

Window* Lookup(HWND handle) {
    Window* window = FindWindowObject(handle);
    if (window == nullptr) SetLastError(1400);  // ERROR_INVALID_WINDOW_HANDLE
    return window;
}

// What a hidden child uncovers of its parent must be drawn again.
void InvalidateUnder(const Window& child) {
    Window* parent = FindWindowObject(child.parent);
    if (parent == nullptr) return;
    MarkInvalid(*parent, &child.rect, true);
}

void Reposition(Window& window, const RECT& rect, bool repaint) {
    RECT before = window.rect;
    window.rect = rect;
    window.native->SetGeometry(rect);
    if (!repaint) return;
    if (window.IsChild() && window.visible) {
        if (Window* parent = FindWindowObject(window.parent)) MarkInvalid(*parent, &before, true);
    }
    MarkInvalid(window, nullptr, true);
}

}  // namespace

void SetVisibility(Window& window, bool visible) {
    if (window.visible == visible) return;
    window.visible = visible;
    window.native->SetVisible(visible);
    if (visible) {
        MarkInvalid(window, nullptr, true);
    } else {
        window.update.Clear();
        if (window.IsChild()) InvalidateUnder(window);
        // Only hiding the focus window itself moves the focus, to its parent;
        // a control inside a hidden window keeps it, as on Windows.
        if (focusWindow == window.handle) SetFocus(window.IsChild() ? window.parent : nullptr);
    }
}

void SendSizeMessages(Window& window) {
    HWND handle = window.handle;
    window.sizeUntold = false;
    RECT client = ClientRectOf(window);
    POINT origin = ClientOrigin(window);
    Send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    if (FindWindowObject(handle) != nullptr) Send(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

// Copies a window text out as GetWindowTextA does: at most size - 1 bytes,
// never the first half of a double-byte character, always terminated.
int CopyTextOut(const std::string& text, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    size_t limit = static_cast<size_t>(size - 1);
    size_t count = 0;
    while (count < text.size()) {
        size_t length = IsAnsiLeadByte(static_cast<unsigned char>(text[count])) && count + 1 < text.size() ? 2 : 1;
        if (count + length > limit) break;
        count += length;
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowObject(hWnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    Window* window = FindWindowObject(hWnd);
    return window != nullptr && IsShowing(*window);
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    Window* window = FindWindowObject(hWnd);
    return window != nullptr && window->enabled;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* window = Lookup(hWnd);
    if (window == nullptr) return FALSE;
    BOOL wasDisabled = !window->enabled;
    bool enable = bEnable != FALSE;
    if (window->enabled != enable) {
        window->enabled = enable;
        if (enable) window->style &= ~WS_DISABLED; else window->style |= WS_DISABLED;
        window->native->SetEnabled(enable);
        // A disabled window cannot keep the keyboard: no window has it then.
        if (!enable && focusWindow == hWnd) SetFocus(nullptr);
        Send(hWnd, WM_ENABLE, enable, 0);
    }
    return wasDisabled;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* window = Lookup(hWnd);
    if (window == nullptr) return FALSE;
    BOOL wasVisible = window->visible;
    bool show = nCmdShow != SW_HIDE;
    if (window->visible != show) {
        Send(hWnd, WM_SHOWWINDOW, show, 0);
        SetVisibility(*window, show);
    }
    bool activates = show && !window->IsChild() && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                     nCmdShow != SW_SHOWMINNOACTIVE;
    if (activates) Activate(hWnd);
    window = FindWindowObject(hWnd);
    if (show && window != nullptr && window->sizeUntold) SendSizeMessages(*window);
    return wasVisible;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    Window* window = Lookup(hWnd);
    if (window == nullptr) return FALSE;
    Reposition(*window, RECT{X, Y, X + nWidth, Y + nHeight}, bRepaint != FALSE);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* window = Lookup(hWnd);
    if (window == nullptr) return FALSE;
    RECT rect = window->rect;
    if (!(uFlags & SWP_NOMOVE)) {
        rect.right += X - rect.left;
        rect.bottom += Y - rect.top;
        rect.left = X;
        rect.top = Y;
    }
    if (!(uFlags & SWP_NOSIZE)) {
        rect.right = rect.left + cx;
        rect.bottom = rect.top + cy;
    }
    Reposition(*window, rect, !(uFlags & SWP_NOREDRAW));
    if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOWNA);
    if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* window = Lookup(hWnd);
    if (window == nullptr || lpRect == nullptr) return FALSE;
    *lpRect = ClientRectOf(*window);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* window = Lookup(hWnd);
    if (window == nullptr || lpRect == nullptr) return FALSE;
    RECT rect = window->rect;
    for (Window* parent = FindWindowObject(window->parent); parent != nullptr && window->IsChild();
         window = parent, parent = FindWindowObject(parent->parent)) {
        POINT origin = ClientOrigin(*parent);
        rect.left += origin.x;
        rect.right += origin.x;
        rect.top += origin.y;
        rect.bottom += origin.y;
    }
    *lpRect = rect;
    return TRUE;
}

HWND WINAPI SetActiveWindow(HWND hWnd) {
    if (hWnd != nullptr && FindWindowObject(hWnd) == nullptr) return nullptr;
    return Activate(hWnd);
}

// Only top-level windows are activated; for a child this changes nothing, as on Windows.
HWND wordoria::platform::Activate(HWND hWnd) {
    HWND previous = activeWindow;
    Window* window = FindWindowObject(hWnd);
    if (window != nullptr && window->IsChild()) return activeWindow;
    if (activeWindow != hWnd) {
        if (activeWindow != nullptr && IsWindow(activeWindow)) Send(activeWindow, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hWnd));
        activeWindow = hWnd;
        if (window != nullptr) {
            window->native->Activate();
            Send(hWnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
        }
    }
    return previous;
}

// The program loses the activation to a window that is not its own (a
// message box, another program): the active window hears of it and the
// keyboard focus leaves the program.
void wordoria::platform::Deactivate() {
    HWND previous = activeWindow;
    activeWindow = nullptr;
    if (previous != nullptr && IsWindow(previous)) Send(previous, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
}

HWND WINAPI GetActiveWindow(void) { return IsWindow(activeWindow) ? activeWindow : nullptr; }

HWND WINAPI SetFocus(HWND hWnd) {
    HWND previous = IsWindow(focusWindow) ? focusWindow : nullptr;
    Window* window = FindWindowObject(hWnd);
    if (hWnd != nullptr && window == nullptr) return nullptr;
    if (previous != hWnd) {
        if (previous != nullptr) Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
        focusWindow = hWnd;
        if (window != nullptr) {
            window->native->Focus();
            Send(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
        }
    }
    return previous;
}

HWND WINAPI GetFocus(void) { return IsWindow(focusWindow) ? focusWindow : nullptr; }

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return nullptr;
    if (uCmd == GW_OWNER) return window->IsChild() ? nullptr : window->owner;
    if (uCmd == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
    Window* parent = FindWindowObject(window->parent);
    if (parent == nullptr) return nullptr;
    const auto& siblings = parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return at + 1 < siblings.end() ? *(at + 1) : nullptr;
    case GW_HWNDPREV: return at > siblings.begin() ? *(at - 1) : nullptr;
    default: return nullptr;
    }
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (lpString == nullptr || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    if (FindWindowObject(hWnd) == nullptr) return 0;
    return static_cast<int>(Send(hWnd, WM_GETTEXT, nMaxCount, reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    return FindWindowObject(hWnd) != nullptr ? static_cast<int>(Send(hWnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (FindWindowObject(hWnd) == nullptr) return FALSE;
    return Send(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* window = Lookup(hWnd);
    if (window == nullptr) return 0;
    return CopyTextOut(window->windowClass->name, lpClassName, nMaxCount);
}
