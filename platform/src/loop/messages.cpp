// PeekMessage and its kin: the queue's messages first, then painting, which
// Win32 makes up from the update regions when nothing else is due.
#include <windows.h>

#include "driver/driver.h"
#include "queue/message_queue.h"
#include "windows/window.h"

#include <vector>

namespace wordoria::platform {
namespace {

bool IsSameOrDescendant(HWND candidate, HWND ancestor) {
    for (Window* window = FindWindowObject(candidate); window != nullptr;
         window = window->IsChild() ? FindWindowObject(window->parent) : nullptr) {
        if (window->handle == ancestor) return true;
    }
    return false;
}

// Win32's walk: top-level windows newest first (each is created on top),
// then each window before its children, children in creation order. A window
// that needs painting hides its descendants, so a parent invalidated on every
// turn keeps its children from ever being painted, as on Windows.
Window* FindWindowToRepaint(Window& window) {
    if (!window.visible) return nullptr;
    if (!window.update.Empty()) return &window;
    for (HWND child : window.children) {
        Window* record = FindWindowObject(child);
        if (Window* found = record != nullptr ? FindWindowToRepaint(*record) : nullptr) return found;
    }
    return nullptr;
}

// Asked on every loop turn: walks the windows without copying them.
bool FindPaint(MSG* out, const MessageFilter& filter) {
    if (UpdateRegion::NonEmptyCount() == 0) return false;
    const auto& table = WindowTable();
    Window* due = nullptr;
    for (auto it = table.rbegin(); it != table.rend() && due == nullptr; ++it) {
        if (!it->second->IsChild()) due = FindWindowToRepaint(*it->second);
    }
    // A filter never lets a child be painted before the window found first.
    if (due == nullptr) return false;
    MSG paint = MakeMessage(due->handle, WM_PAINT, 0, 0);
    if (!Matches(paint, filter)) return false;
    *out = paint;
    return true;
}

}  // namespace
}  // namespace wordoria::platform

using namespace wordoria::platform;

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (lpMsg == nullptr) return FALSE;
    static bool programRan = true;  // before its first call
    Driver& driver = TheDriver();
    driver.PumpEvents(programRan);
    // A window another program destroyed on screen is destroyed here, as by
    // DestroyWindow: Win32 too runs window procedures from inside
    // PeekMessage, for what other threads send.
    std::vector<HWND> gone = driver.TakeWindowsGoneFromScreen();
    for (HWND window : gone) DestroyWindow(window);
    MessageFilter filter{hWnd, wMsgFilterMin, wMsgFilterMax, IsSameOrDescendant};
    bool taken = TakeQueued(lpMsg, filter, (wRemoveMsg & PM_REMOVE) != 0) || FindPaint(lpMsg, filter);
    programRan = taken || !gone.empty();
    return taken ? TRUE : FALSE;
}

// Key translation into WM_CHAR is left to the controls' own widgets, which
// take typed text (and input-method text) straight from the screen.
BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    return lpMsg != nullptr && (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN);
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (lpMsg == nullptr || lpMsg->hwnd == nullptr) return 0;
    return Send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return Send(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && FindWindowObject(hWnd) == nullptr) {
        SetLastError(1400);  // ERROR_INVALID_WINDOW_HANDLE
        return FALSE;
    }
    PostToQueue(hWnd, Msg, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) { PostQuit(nExitCode); }
