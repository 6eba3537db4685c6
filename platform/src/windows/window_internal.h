#pragma once

#include "windows/window.h"

namespace wordoria::platform {

// The menu bar of a top-level window, in pixels.
constexpr int MENU_BAR_HEIGHT = 20;

Window* AddWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND handle);

// Shows or hides a window and everything the driver needs to know about it.
void SetVisibility(Window& window, bool visible);

// Adds to a window's update region (nothing while it is hidden); the layer's
// own invalidations go here, the program's through InvalidateRect.
void MarkInvalid(Window& window, const RECT* rect, bool erase);

// Makes a top-level window the active one; children are never activated.
HWND Activate(HWND handle);
// No window of the program is active any more, and none has the focus.
void Deactivate();

// WM_SIZE and WM_MOVE with the window's client size and place.
void SendSizeMessages(Window& window);

// Copies a text out as GetWindowTextA does; returns the bytes copied.
int CopyTextOut(const std::string& text, char* buffer, int size);

}  // namespace wordoria::platform
