// The seam between the Win32 core and what shows its windows on a screen.
// Everything the core asks of the screen, the input, the fonts and the
// message boxes goes through one Driver; the program's is Qt's (qt/), and a
// test may put one of its own around it. The core includes this and nothing
// of the driver behind it.
#pragma once

#include <windows.h>

#include "painting/region.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wordoria::platform {

struct Window;

// The colours and mode a device context draws text with.
struct TextColors {
    COLORREF text;
    COLORREF back;
    int backMode;  // OPAQUE or TRANSPARENT
};

// What a window that the program paints draws into. Each drawing stays
// within the clip and adds what it may have changed to `changed`.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void Fill(const Region& clip, const RECT& area, COLORREF color, Region* changed) = 0;
    virtual void Text(const Region& clip, POINT at, std::string_view bytes, const TextColors& colors,
                      Region* changed) = 0;
    // A one-pixel line; like Win32's, it leaves out its end point.
    virtual void Line(const Region& clip, POINT from, POINT to, COLORREF color, Region* changed) = 0;
    // A device context is released: what drawing held is let go.
    virtual void EndDrawing() = 0;
};

// A window's counterpart on screen.
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
    // Shows on screen what painting changed on the canvas.
    virtual void Present(const Region& changed) = 0;
    // The window's text was set by the program.
    virtual void TextChanged() {}
    // The window's menu was set or changed.
    virtual void MenuChanged() {}
    // What the window paints into, or null for a window the driver paints itself.
    virtual Canvas* PaintCanvas() { return nullptr; }
    // The driver's own object, when this one stands around it.
    virtual NativeWindow* Innermost() { return this; }
};

// A predefined control class the driver implements (a button, an edit
// field, ...), handed to the core in a table when the driver starts;
// `kind` is handed back when a window of it is made.
struct ControlClass {
    std::string name;
    UINT style;
    WNDPROC proc;
    HBRUSH background;
    int kind;
};

struct MessageBoxButton {
    int answer;         // IDOK, IDYES, ...
    std::string label;  // UTF-8
};

// A message box as MessageBoxA asked for it; the first button is the default.
// A button chosen comes to the box's window as WM_COMMAND with its answer.
struct MessageBoxRequest {
    HWND owner;
    std::string caption;  // Shift-JIS bytes, as the program passed them
    std::string text;
    UINT type;
    std::vector<MessageBoxButton> buttons;
    int escapeAnswer;  // what Escape and the close box answer; 0 when they do nothing
};



// A dialog template's font.
struct FontRequest {
    std::string face;  // UTF-8
    int points;
    int weight;
    bool italic;
};

// Win32's dialog base units for a font: the average width of a Latin
// letter and the height, in pixels.
struct DialogBaseUnits {
    int averageWidth;
    int height;
};

class Driver {
public:
    virtual ~Driver() = default;

    virtual std::unique_ptr<NativeWindow> CreateTopLevel(Window& window) = 0;
    // A child window that the program paints (a dialog, or a window of its own class).
    virtual std::unique_ptr<NativeWindow> CreateChild(Window& window) = 0;
    // A window of a control class the driver had registered (ControlClass::kind).
    virtual std::unique_ptr<NativeWindow> CreateControl(int kind, Window& window) = 0;
    // Top-level windows whose counterpart another program destroyed since
    // the last call, each once.
    virtual std::vector<HWND> TakeWindowsGoneFromScreen() = 0;

    // Lets the screen deliver what is pending without waiting, if anything
    // may be. `programRan`: a message was handed out since the last call,
    // so the program's handlers may have asked something of the screen.
    virtual void PumpEvents(bool programRan) = 0;
    // Lets the screen deliver what is pending without waiting.
    virtual void RunPass() = 0;
    // Waits at most `milliseconds` for the screen to have something to deliver.
    virtual void WaitForEvents(int milliseconds) = 0;
    // The program's thread is about to sleep.
    virtual void NoteSleep() = 0;

    // The on-screen side of a message box's window; the core runs the loop
    // that waits for its answer.
    virtual std::unique_ptr<NativeWindow> CreateMessageBox(Window& window, const MessageBoxRequest& box) = 0;

    virtual HFONT CreateDialogFont(const FontRequest& font) = 0;
    virtual DialogBaseUnits BaseUnitsOf(const FontRequest& font) = 0;
};

// The driver in use; the program's entry point, or a test, installs one
// before the first window.
Driver& TheDriver();
// Returns the one it replaces, or null.
Driver* InstallDriver(Driver* driver);

}  // namespace wordoria::platform
