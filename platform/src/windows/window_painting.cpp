// Update regions and the paint cycle: InvalidateRect marks, BeginPaint erases
// and validates, EndPaint shows the result.
#include <windows.h>

#include "gdi/device_context.h"
#include "windows/window_internal.h"

#include <utility>

namespace wordoria::platform {
namespace {

// A context on the window's canvas; closing it shows what was painted.
HDC OpenWindowContext(HWND handle, Region clip) {
    Window* window = FindWindowObject(handle);
    Canvas* canvas = window != nullptr && window->native ? window->native->PaintCanvas() : nullptr;
    return OpenDeviceContext(handle, canvas, std::move(clip));
}

void CloseWindowContext(HDC dc) {
    DeviceContext* context = FindDeviceContext(dc);
    if (context == nullptr) return;
    HWND handle = context->window;
    Region changed = std::move(context->changed);
    ReleaseDeviceContext(dc);  // everything drawn is on the canvas before it is shown
    Window* window = FindWindowObject(handle);
    if (window != nullptr && !changed.Empty()) window->native->Present(changed);
}

// What a parent without WS_CLIPCHILDREN paints, it paints over its children:
// Win32 marks the part of each child under the area too, and so on down.
void MarkChildrenUnder(const Window& parent, const RECT& area, bool erase) {
    for (HWND handle : parent.children) {
        Window* child = FindWindowObject(handle);
        if (child == nullptr || !child->visible) continue;
        RECT covered = Intersection(area, child->rect);
        if (IsEmpty(covered)) continue;
        POINT origin = ClientOrigin(*child);
        RECT inChild{covered.left - origin.x, covered.top - origin.y, covered.right - origin.x,
                     covered.bottom - origin.y};
        MarkInvalid(*child, &inChild, erase);
    }
}

}  // namespace

void MarkInvalid(Window& window, const RECT* rect, bool erase) {
    // A hidden window has nothing on screen to bring up to date.
    if (!IsShowing(window)) return;
    RECT client = ClientRectOf(window);
    RECT area = rect != nullptr ? Intersection(*rect, client) : client;
    if (IsEmpty(area)) return;
    window.update.Add(area);
    if (erase) window.erase = true;
    if ((window.style & WS_CLIPCHILDREN) == 0) MarkChildrenUnder(window, area, erase);
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return FALSE;
    MarkInvalid(*window, lpRect, bErase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return FALSE;
    if (lpRect == nullptr || Contains(*lpRect, window->update.Bounds())) {
        window->update.Clear();
        window->erase = false;
    }
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return FALSE;
    if (lpRect != nullptr) *lpRect = window->update.Bounds();
    return !window->update.Empty();
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr || lpPaint == nullptr) return nullptr;
    Region region = window->update.Take();
    bool erase = window->erase;
    window->erase = false;

    *lpPaint = PAINTSTRUCT{};
    lpPaint->rcPaint = region.Bounds();
    lpPaint->fErase = FALSE;
    bool nothing = region.Empty();
    HDC dc = OpenWindowContext(hWnd, std::move(region));
    lpPaint->hdc = dc;
    if (erase && !nothing) lpPaint->fErase = Send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr) return FALSE;
    CloseWindowContext(lpPaint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return nullptr;
    Region whole;
    whole.Add(ClientRectOf(*window));
    return OpenWindowContext(hWnd, std::move(whole));
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
    if (FindDeviceContext(hDC) == nullptr) return 0;
    CloseWindowContext(hDC);
    return 1;
}
