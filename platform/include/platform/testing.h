// The Linux build's test support: a driver that records what the program
// shows and answers its message boxes, instead of a person, and input put
// in as the screen delivers it. A library of its own, linked by tests only.
#ifndef WORDORIA_PLATFORM_TESTING_H
#define WORDORIA_PLATFORM_TESTING_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wordoria::testing {

// Starts Qt's driver with the recording one around it: every window made
// from then on can be watched by the recorders below. Once; a test's main
// or fixture calls it before making windows.
void StartTestDriver();

struct MessageBoxCall {
    HWND owner;
    std::string caption;  // Shift-JIS bytes, as the program passed them
    std::string text;
    UINT type;
};

// While one lives, MessageBoxA shows nothing: it records the call and is
// answered at once with what the answerer says (by default the first
// button: IDOK, or IDYES). The owner is disabled and enabled again around
// it all the same.
class MessageBoxHook {
public:
    using Answerer = std::function<int(const MessageBoxCall&)>;

    MessageBoxHook();
    explicit MessageBoxHook(Answerer answerer);
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    const std::vector<MessageBoxCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    // Called by the recording driver.
    int Answer(const MessageBoxCall& call);

private:
    Answerer answerer_;
    std::vector<MessageBoxCall> calls_;
    MessageBoxHook* previous_;
};

int FirstButton(const MessageBoxCall& call);

// One drawing operation of a device context, in client coordinates.
struct GdiCall {
    enum Kind { Text, Fill, Line } kind;
    HWND window;
    RECT rect;          // Fill: the rectangle
    POINT from, to;     // Line: from the start to the end point (which is not drawn)
    std::string text;   // Text: the bytes at `from`
    COLORREF color;     // Text: the text colour; Fill: the brush's colour; Line: the pen's
    int backMode;       // Text: OPAQUE or TRANSPARENT
};

// While one lives, every TextOutA, FillRect and LineTo that reaches a
// window's canvas is recorded (and still drawn); a line of the null pen
// draws nothing and is not.
class GdiRecorder {
public:
    GdiRecorder();
    ~GdiRecorder();
    GdiRecorder(const GdiRecorder&) = delete;
    GdiRecorder& operator=(const GdiRecorder&) = delete;

    const std::vector<GdiCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    void Record(const GdiCall& call) { calls_.push_back(call); }

private:
    std::vector<GdiCall> calls_;
    GdiRecorder* previous_;
};

GdiRecorder* ActiveGdiRecorder();

// What the core asked of the windows on screen, in order, for tests that
// check what a paint or a loop turn did: a window shown or hidden (only when
// that changes), a top-level window activated, a painted area shown (once
// a paint, or a release of a GetDC context, that drew anything).
struct WindowCall {
    enum Kind { Show, Activate, Present } kind;
    HWND window;
    int value;   // Show: SW_SHOW or SW_HIDE
    RECT rect;   // Present: the bounds of what was drawn, in client coordinates
};

class WindowCallRecorder {
public:
    WindowCallRecorder();
    ~WindowCallRecorder();
    WindowCallRecorder(const WindowCallRecorder&) = delete;
    WindowCallRecorder& operator=(const WindowCallRecorder&) = delete;

    const std::vector<WindowCall>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    void Record(const WindowCall& call) { calls_.push_back(call); }

private:
    std::vector<WindowCall> calls_;
    WindowCallRecorder* previous_;
};

WindowCallRecorder* ActiveWindowCallRecorder();

// User input at client coordinates of a window, delivered through Qt's event
// system like real input (so it lands in the queue the same way).
enum class MouseButton { Left, Right };
void InjectMouseMove(HWND window, int x, int y);
void InjectMousePress(HWND window, int x, int y, MouseButton button = MouseButton::Left);
void InjectMouseRelease(HWND window, int x, int y, MouseButton button = MouseButton::Left);
void InjectDoubleClick(HWND window, int x, int y);
void InjectKey(HWND window, int virtualKey);  // a press and a release

// Typing into a control, as the user's keyboard delivers it: printable ASCII,
// with '\n' for Enter.
void InjectTyping(HWND control, const std::string& ascii);
// Text an input method commits into a control (UTF-8), as Japanese arrives.
void InjectInputMethodText(HWND control, const std::string& utf8);

// Takes and dispatches messages until none is left (at most `limit`), as the
// program's loop would; returns how many it dispatched. A WM_QUIT taken here
// is put back and ends the turn.
int DispatchPending(int limit = 1000);

// Saves what the window's client area shows; false if it cannot.
bool SaveClientArea(HWND window, const std::string& pngPath);
// The colour of one client pixel as the window shows it.
COLORREF ClientPixel(HWND window, int x, int y);

}  // namespace wordoria::testing

#endif
