#pragma once

#include <windows.h>

namespace wordoria::platform {

// Input from Qt: mouse, keys and the close box, queued as Win32 queues it.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Drops every queued message for a window that is going away.
void ForgetMessagesFor(HWND hwnd);

}  // namespace wordoria::platform
