// A driver around Qt's that lets the recorders of <platform/testing.h> see
// what the core asks of the screen, and answers message boxes for a test.
#include <platform/testing.h>

#include "driver/driver.h"
#include "qt/qt_driver.h"
#include "queue/message_queue.h"
#include "windows/window.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace wordoria::testing {
namespace {

MessageBoxHook* activeHook = nullptr;
GdiRecorder* activeGdi = nullptr;
WindowCallRecorder* activeWindowCalls = nullptr;

void RecordWindowCall(const WindowCall& call) {
    if (activeWindowCalls != nullptr) activeWindowCalls->Record(call);
}

void RecordDrawing(const GdiCall& call) {
    if (activeGdi != nullptr) activeGdi->Record(call);
}

using platform::Canvas;
using platform::NativeWindow;
using platform::Region;

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(HWND window, Canvas& inner) : window_(window), inner_(inner) {}
    void Fill(const Region& clip, const RECT& area, COLORREF color, Region* changed) override {
        RecordDrawing({GdiCall::Fill, window_, area, {0, 0}, {0, 0}, {}, color, 0});
        inner_.Fill(clip, area, color, changed);
    }
    void Text(const Region& clip, POINT at, std::string_view bytes, const platform::TextColors& colors,
              Region* changed) override {
        RecordDrawing({GdiCall::Text, window_, {0, 0, 0, 0}, at, at, std::string(bytes), colors.text, colors.backMode});
        inner_.Text(clip, at, bytes, colors, changed);
    }
    void Line(const Region& clip, POINT from, POINT to, COLORREF color, Region* changed) override {
        RecordDrawing({GdiCall::Line, window_, {0, 0, 0, 0}, from, to, {}, color, 0});
        inner_.Line(clip, from, to, color, changed);
    }
    void EndDrawing() override { inner_.EndDrawing(); }

private:
    HWND window_;
    Canvas& inner_;
};

class RecordingWindow : public NativeWindow {
public:
    RecordingWindow(HWND window, std::unique_ptr<NativeWindow> inner) : window_(window), inner_(std::move(inner)) {}
    void SetGeometry(const RECT& windowRect) override { inner_->SetGeometry(windowRect); }
    void SetVisible(bool visible) override {
        RecordWindowCall({WindowCall::Show, window_, visible ? SW_SHOW : SW_HIDE, {0, 0, 0, 0}});
        inner_->SetVisible(visible);
    }
    void SetEnabled(bool enabled) override { inner_->SetEnabled(enabled); }
    void Activate() override {
        RecordWindowCall({WindowCall::Activate, window_, 0, {0, 0, 0, 0}});
        inner_->Activate();
    }
    void Focus() override { inner_->Focus(); }
    void Present(const Region& changed) override {
        RecordWindowCall({WindowCall::Present, window_, 0, changed.Bounds()});
        inner_->Present(changed);
    }
    void TextChanged() override { inner_->TextChanged(); }
    void MenuChanged() override { inner_->MenuChanged(); }
    Canvas* PaintCanvas() override {
        Canvas* inner = inner_->PaintCanvas();
        if (inner == nullptr) return nullptr;
        if (canvas_ == nullptr || canvasInner_ != inner) {
            canvas_ = std::make_unique<RecordingCanvas>(window_, *inner);
            canvasInner_ = inner;
        }
        return canvas_.get();
    }
    NativeWindow* Innermost() override { return inner_->Innermost(); }

private:
    HWND window_;
    std::unique_ptr<NativeWindow> inner_;
    std::unique_ptr<RecordingCanvas> canvas_;
    Canvas* canvasInner_ = nullptr;
};

// A box a test answers is answered from inside its own loop, as by a person
// clicking, when a message posted at its making is dispatched to it: its
// procedure is wrapped by one that asks the test's answerer then.
const UINT WM_ANSWER_BOX = WM_APP + 0x3FF0;

struct PendingBox {
    WNDPROC proc;
    MessageBoxHook* hook;
    MessageBoxCall call;
};
std::map<HWND, PendingBox> pendingBoxes;

LRESULT CALLBACK AnsweringBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = pendingBoxes.find(hwnd);
    if (found == pendingBoxes.end()) return DefWindowProcA(hwnd, message, wParam, lParam);
    PendingBox box = found->second;
    if (message == WM_NCDESTROY) pendingBoxes.erase(found);
    if (message != WM_ANSWER_BOX) return box.proc(hwnd, message, wParam, lParam);
    int answer = box.hook->Answer(box.call);
    return box.proc(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

// A box a test answers: nothing on screen.
class AnsweredBox : public NativeWindow {
public:
    void SetGeometry(const RECT&) override {}
    void SetVisible(bool) override {}
    void SetEnabled(bool) override {}
    void Activate() override {}
    void Focus() override {}
    void Present(const Region&) override {}
};

// Qt's driver inside, started only when something reaches it: a test that
// only answers message boxes needs no Qt.
class RecordingDriver : public platform::Driver {
public:
    std::unique_ptr<NativeWindow> CreateTopLevel(platform::Window& window) override {
        return Wrap(window, Inner().CreateTopLevel(window));
    }
    std::unique_ptr<NativeWindow> CreateChild(platform::Window& window) override {
        return Wrap(window, Inner().CreateChild(window));
    }
    std::unique_ptr<NativeWindow> CreateControl(int kind, platform::Window& window) override {
        return Wrap(window, Inner().CreateControl(kind, window));
    }
    std::vector<HWND> TakeWindowsGoneFromScreen() override { return Inner().TakeWindowsGoneFromScreen(); }
    void PumpEvents(bool programRan) override { Inner().PumpEvents(programRan); }
    void RunPass() override { Inner().RunPass(); }
    void WaitForEvents(int milliseconds) override { Inner().WaitForEvents(milliseconds); }
    void NoteSleep() override { Inner().NoteSleep(); }
    std::unique_ptr<NativeWindow> CreateMessageBox(platform::Window& window,
                                                   const platform::MessageBoxRequest& box) override {
        if (activeHook == nullptr) return Wrap(window, Inner().CreateMessageBox(window, box));
        pendingBoxes[window.handle] = PendingBox{window.proc, activeHook, {box.owner, box.caption, box.text, box.type}};
        window.proc = AnsweringBoxProc;
        platform::PostToQueue(window.handle, WM_ANSWER_BOX, 0, 0);
        return std::make_unique<AnsweredBox>();
    }
    HFONT CreateDialogFont(const platform::FontRequest& font) override { return Inner().CreateDialogFont(font); }
    platform::DialogBaseUnits BaseUnitsOf(const platform::FontRequest& font) override {
        return Inner().BaseUnitsOf(font);
    }

private:
    // The window's handle is known before its native side is made.
    static std::unique_ptr<NativeWindow> Wrap(platform::Window& window, std::unique_ptr<NativeWindow> inner) {
        return std::make_unique<RecordingWindow>(window.handle, std::move(inner));
    }
    static Driver& Inner() { return platform::QtDriver(); }
};

void InstallRecordingDriver() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    platform::RegisterQtControls();
    static RecordingDriver driver;
    platform::InstallDriver(&driver);
}

}  // namespace

void StartTestDriver() {
    InstallRecordingDriver();
    platform::QtDriver();
}

int FirstButton(const MessageBoxCall& call) {
    switch (call.type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

MessageBoxHook::MessageBoxHook() : MessageBoxHook(FirstButton) {}
MessageBoxHook::MessageBoxHook(Answerer answerer) : answerer_(std::move(answerer)), previous_(activeHook) {
    InstallRecordingDriver();
    activeHook = this;
}
MessageBoxHook::~MessageBoxHook() { activeHook = previous_; }

int MessageBoxHook::Answer(const MessageBoxCall& call) {
    calls_.push_back(call);
    return answerer_(call);
}

GdiRecorder::GdiRecorder() : previous_(activeGdi) { activeGdi = this; }
GdiRecorder::~GdiRecorder() { activeGdi = previous_; }
GdiRecorder* ActiveGdiRecorder() { return activeGdi; }

WindowCallRecorder::WindowCallRecorder() : previous_(activeWindowCalls) { activeWindowCalls = this; }
WindowCallRecorder::~WindowCallRecorder() { activeWindowCalls = previous_; }
WindowCallRecorder* ActiveWindowCallRecorder() { return activeWindowCalls; }

}  // namespace wordoria::testing
