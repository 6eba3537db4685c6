#include <windows.h>

#include <platform/testing.h>

#include "message_boxes/message_box_qt.h"
#include "windows/window_internal.h"

namespace wordoria::testing {
namespace {
MessageBoxHook* activeHook = nullptr;
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

MessageBoxHook::MessageBoxHook(Answerer answerer)
    : answerer_(std::move(answerer)), previous_(activeHook) {
    activeHook = this;
}

MessageBoxHook::~MessageBoxHook() { activeHook = previous_; }

int MessageBoxHook::Answer(const MessageBoxCall& call) {
    calls_.push_back(call);
    return answerer_(call);
}

MessageBoxHook* ActiveMessageBoxHook() { return activeHook; }

}  // namespace wordoria::testing

namespace {

// A box is the active window while it is open, so the program's windows lose
// the activation and the keyboard focus; when it closes, the window active
// before gets the activation back, and with it the focus, unless the user
// activated one of ours meanwhile.
class BoxActivation {
public:
    BoxActivation() : previous_(GetActiveWindow()) { wordoria::platform::Deactivate(); }
    ~BoxActivation() {
        if (GetActiveWindow() == nullptr && IsWindow(previous_)) wordoria::platform::Activate(previous_);
    }
    BoxActivation(const BoxActivation&) = delete;
    BoxActivation& operator=(const BoxActivation&) = delete;

private:
    HWND previous_;
};

}  // namespace

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    // Win32 shows "Error" for a missing caption and nothing for a missing text.
    wordoria::testing::MessageBoxCall call{hWnd, lpCaption != nullptr ? lpCaption : "Error",
                                           lpText != nullptr ? lpText : "", uType};
    BoxActivation activation;
    if (auto* hook = wordoria::testing::ActiveMessageBoxHook()) return hook->Answer(call);
    return wordoria::platform::ShowQtMessageBox(call);
}
