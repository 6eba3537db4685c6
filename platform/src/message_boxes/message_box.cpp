// MessageBoxA: the buttons of each type, the owner disabled and the thread's
// messages dispatched while the box waits, and the activation given back.
#include <windows.h>

#include "driver/driver.h"
#include "windows/window_internal.h"

#include <vector>

namespace wordoria::platform {
namespace {

std::vector<MessageBoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u8"OK"}, {IDCANCEL, u8"キャンセル"}};
    case MB_YESNO: return {{IDYES, u8"はい(&Y)"}, {IDNO, u8"いいえ(&N)"}};
    case MB_YESNOCANCEL: return {{IDYES, u8"はい(&Y)"}, {IDNO, u8"いいえ(&N)"}, {IDCANCEL, u8"キャンセル"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u8"再試行(&R)"}, {IDCANCEL, u8"キャンセル"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u8"中止(&A)"}, {IDRETRY, u8"再試行(&R)"}, {IDIGNORE, u8"無視(&I)"}};
    default: return {{IDOK, u8"OK"}};
    }
}

// What Escape and the close box answer; 0 when the box offers no way out but its buttons.
int EscapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    default: return 0;
    }
}

// A box is the active window while it is open, so the program's windows lose
// the activation and the keyboard focus; when it closes, the window active
// before gets the activation back, and with it the focus, unless the user
// activated one of ours meanwhile.
class BoxActivation {
public:
    BoxActivation() : previous_(GetActiveWindow()) { Deactivate(); }
    ~BoxActivation() {
        if (GetActiveWindow() == nullptr && IsWindow(previous_)) Activate(previous_);
    }
    BoxActivation(const BoxActivation&) = delete;
    BoxActivation& operator=(const BoxActivation&) = delete;

private:
    HWND previous_;
};

// Only the owner is disabled while the box is open; without one, nothing is.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner) : owner_(IsWindow(owner) && IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_ != nullptr) EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() {
        if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND owner_;
};

// Dispatches the thread's messages until the box is answered, as the box's
// own loop does on Windows: the program's windows keep working meanwhile.
void RunBoxLoop(const NativeMessageBox& box) {
    while (box.Answer() == 0 && box.Open()) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TheDriver().WaitForEvents(5);
            continue;
        }
        if (msg.message == WM_QUIT) {
            // Left for the program's own loop, which ends on it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace
}  // namespace wordoria::platform

using namespace wordoria::platform;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    // Win32 shows "Error" for a missing caption and nothing for a missing text.
    MessageBoxRequest request{hWnd, lpCaption != nullptr ? lpCaption : "Error", lpText != nullptr ? lpText : "",
                              uType, ButtonsOf(uType), EscapeAnswer(uType)};
    BoxActivation activation;
    OwnerDisabled disabled(hWnd);
    std::unique_ptr<NativeMessageBox> box = TheDriver().OpenMessageBox(request);
    RunBoxLoop(*box);
    if (int answer = box->Answer()) return answer;
    return request.escapeAnswer != 0 ? request.escapeAnswer : request.buttons.front().answer;
}
