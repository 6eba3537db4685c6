// The seam between the layer and Qt: what a window needs of its on-screen
// counterpart. Implemented in the *_qt.cpp files, used by plain C++.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

namespace wordoria::platform {

class Region;
struct Window;

class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    // The window rectangle: screen coordinates for a top-level window, the
    // parent's client coordinates for a child.
    virtual void SetGeometry(const RECT& windowRect) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Activate() = 0;
    virtual void Focus() = 0;
    // Shows on screen what painting changed in the backing image.
    virtual void Present(const Region& changed) = 0;
    // The window's text was set by the program.
    virtual void TextChanged() {}
    // The window's menu was set or changed.
    virtual void MenuChanged() {}
    // What the window paints into, or nothing for a window Qt paints itself.
    virtual void* Canvas() { return nullptr; }
};

// The Qt side of a top-level window: a frame with the menu bar and a client
// area that shows a backing image.
std::unique_ptr<NativeWindow> CreateTopLevelNative(Window& window);
// A child window that the program paints (a dialog, or a window of its own class).
std::unique_ptr<NativeWindow> CreateChildNative(Window& window);
// Top-level windows whose on-screen counterpart another program destroyed
// since the last call, each once.
std::vector<HWND> TakeWindowsGoneFromScreen();

// Lets Qt deliver what is pending without waiting, if anything may be.
// `programRan`: a message was handed out since the last call, so the
// program's handlers may have asked something of Qt.
void PumpNativeEvents(bool programRan);
// Lets Qt deliver what is pending without waiting.
void RunNativePass();
// Waits at most `milliseconds` for Qt to have something to deliver.
void WaitForNativeEvents(int milliseconds);

}  // namespace wordoria::platform
