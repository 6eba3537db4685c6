// Update regions and the paint cycle: InvalidateRect marks, BeginPaint erases
// and validates, EndPaint shows the result.
#include <windows.h>

#include "painting/device_context.h"
#include "base/handle_table.h"
#include "testing/testing_internal.h"
#include "windows/window_internal.h"

#include <utility>

namespace wordoria::platform {
namespace {

HandleTable<DeviceContext>& Contexts() {
    static HandleTable<DeviceContext> contexts;
    return contexts;
}

}  // namespace

HDC OpenDeviceContext(HWND window, Region clip) {
    HANDLE handle = Contexts().Open();
    DeviceContext* context = Contexts().Find(handle);
    context->window = window;
    context->clip = std::move(clip);
    context->pen = GetStockObject(BLACK_PEN);
    return reinterpret_cast<HDC>(handle);
}

namespace {
// The context asked for last: a paint asks for the same one call after call.
HDC lastHandle = nullptr;
DeviceContext* lastFound = nullptr;
}  // namespace

DeviceContext* FindDeviceContext(HDC dc) {
    if (dc != nullptr && dc == lastHandle) return lastFound;
    DeviceContext* found = Contexts().Find(reinterpret_cast<HANDLE>(dc));
    if (found != nullptr) {
        lastHandle = dc;
        lastFound = found;
    }
    return found;
}

void CloseDeviceContext(HDC dc) {
    DeviceContext* context = FindDeviceContext(dc);
    if (context == nullptr) return;
    lastHandle = nullptr;
    lastFound = nullptr;
    context->painter.reset();  // everything drawn is in the image before it is shown
    Window* window = FindWindowObject(context->window);
    if (window != nullptr && !context->changed.Empty()) window->native->Present(context->changed);
    Contexts().Close(reinterpret_cast<HANDLE>(dc));
}

namespace {

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
    NoteWindowCall({wordoria::testing::WindowCall::Invalidate, hWnd,
                    lpRect != nullptr ? *lpRect : ClientRectOf(*window), bErase});
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
    HDC dc = OpenDeviceContext(hWnd, std::move(region));
    lpPaint->hdc = dc;
    if (erase && !nothing) lpPaint->fErase = Send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr) return FALSE;
    CloseDeviceContext(lpPaint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
    Window* window = FindWindowObject(hWnd);
    if (window == nullptr) return nullptr;
    Region whole;
    whole.Add(ClientRectOf(*window));
    return OpenDeviceContext(hWnd, std::move(whole));
}

int WINAPI ReleaseDC(HWND, HDC hDC) {
    if (FindDeviceContext(hDC) == nullptr) return 0;
    CloseDeviceContext(hDC);
    return 1;
}
