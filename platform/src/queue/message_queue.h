// The thread's message queue: posted messages, then the quit message, then
// input, as Win32 hands them out. It knows nothing of windows: a filter by
// window is decided by the caller's `within`.
#pragma once

#include <windows.h>

namespace wordoria::platform {

// Input from the screen: mouse, keys and the close box, queued as Win32 queues it.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostToQueue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuit(int exitCode);

// Drops every queued message for a window that is going away.
void ForgetMessagesFor(HWND hwnd);

struct MessageFilter {
    HWND hwnd;  // null for any
    UINT first, last;  // both 0 for any
    // Whether a message for `candidate` passes a filter on `filtered`.
    bool (*within)(HWND candidate, HWND filtered);
};
bool Matches(const MSG& msg, const MessageFilter& filter);

// The next queued message that passes the filter, taken out with `remove`.
bool TakeQueued(MSG* out, const MessageFilter& filter, bool remove);

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace wordoria::platform
