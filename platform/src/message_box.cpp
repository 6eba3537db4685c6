#include <windows.h>

#include <platform/testing.h>

#include "message_box_qt.h"

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

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    // Win32 shows "Error" for a missing caption and nothing for a missing text.
    wordoria::testing::MessageBoxCall call{hWnd, lpCaption != nullptr ? lpCaption : "Error",
                                           lpText != nullptr ? lpText : "", uType};
    if (auto* hook = wordoria::testing::ActiveMessageBoxHook()) return hook->Answer(call);
    return wordoria::platform::ShowQtMessageBox(call);
}
