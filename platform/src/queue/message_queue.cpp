// The thread's message queue, in Win32's order: posted messages, then the
// quit message, then input, then painting.
#include <windows.h>

#include "queue/message_queue.h"
#include "windows/native_window.h"
#include "windows/window.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace wordoria::platform {
namespace {

struct Queue {
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending = false;
    int exitCode = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

bool IsSameOrDescendant(HWND candidate, HWND ancestor) {
    for (Window* window = FindWindowObject(candidate); window != nullptr;
         window = window->IsChild() ? FindWindowObject(window->parent) : nullptr) {
        if (window->handle == ancestor) return true;
    }
    return false;
}

bool Matches(const MSG& msg, HWND hwnd, UINT first, UINT last) {
    if (hwnd != nullptr && !IsSameOrDescendant(msg.hwnd, hwnd)) return false;
    if (first == 0 && last == 0) return true;
    return msg.message >= first && msg.message <= last;
}

bool TakeFrom(std::deque<MSG>& messages, MSG* out, HWND hwnd, UINT first, UINT last, bool remove) {
    auto found = std::find_if(messages.begin(), messages.end(),
                              [&](const MSG& msg) { return Matches(msg, hwnd, first, last); });
    if (found == messages.end()) return false;
    *out = *found;
    if (remove) messages.erase(found);
    return true;
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
bool FindPaint(MSG* out, HWND hwnd, UINT first, UINT last) {
    if (UpdateRegion::NonEmptyCount() == 0) return false;
    const auto& table = WindowTable();
    Window* due = nullptr;
    for (auto it = table.rbegin(); it != table.rend() && due == nullptr; ++it) {
        if (!it->second->IsChild()) due = FindWindowToRepaint(*it->second);
    }
    // A filter never lets a child be painted before the window found first.
    if (due == nullptr || !Matches(MSG{due->handle, WM_PAINT, 0, 0, 0, {0, 0}}, hwnd, first, last)) return false;
    *out = MSG{due->handle, WM_PAINT, 0, 0, GetTickCount(), {0, 0}};
    return true;
}

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return MSG{hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
}

}  // namespace

// Win32 keeps at most one pending move per window, updated in place, so a
// burst of moves never stands between a press and the loop that takes one
// message a turn.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::deque<MSG>& input = TheQueue().input;
    if (message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
        input.back().hwnd == hwnd) {
        input.back() = Make(hwnd, message, wParam, lParam);
        return;
    }
    input.push_back(Make(hwnd, message, wParam, lParam));
}

void ForgetMessagesFor(HWND hwnd) {
    auto gone = [hwnd](const MSG& msg) { return msg.hwnd == hwnd; };
    auto& queue = TheQueue();
    queue.posted.erase(std::remove_if(queue.posted.begin(), queue.posted.end(), gone), queue.posted.end());
    queue.input.erase(std::remove_if(queue.input.begin(), queue.input.end(), gone), queue.input.end());
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

namespace {

bool TakeMessage(Queue& queue, LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, bool remove) {
    if (TakeFrom(queue.posted, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return true;
    if (queue.quitPending) {
        *lpMsg = Make(nullptr, WM_QUIT, static_cast<WPARAM>(queue.exitCode), 0);
        if (remove) queue.quitPending = false;
        return true;
    }
    if (TakeFrom(queue.input, lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, remove)) return true;
    return FindPaint(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax);
}

}  // namespace

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (lpMsg == nullptr) return FALSE;
    static bool programRan = true;  // before its first call
    PumpNativeEvents(programRan);
    // A window another program destroyed on screen is destroyed here, as by
    // DestroyWindow: Win32 too runs window procedures from inside
    // PeekMessage, for what other threads send.
    std::vector<HWND> gone = TakeWindowsGoneFromScreen();
    for (HWND window : gone) DestroyWindow(window);
    bool taken = TakeMessage(TheQueue(), lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0);
    programRan = taken || !gone.empty();
    return taken ? TRUE : FALSE;
}

// Key translation into WM_CHAR is left to the controls' own widgets, which
// take typed text (and input-method text) straight from Qt.
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
    TheQueue().posted.push_back(Make(hWnd, Msg, wParam, lParam));
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    TheQueue().quitPending = true;
    TheQueue().exitCode = nExitCode;
}
