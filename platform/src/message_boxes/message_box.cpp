// MessageBoxA: a window of its own, owned by the owner, which is disabled
// while the box is up; the box is the active window and runs the thread's
// messages until one of its buttons answers.
#include <windows.h>

#include "driver/driver.h"
#include "windows/window_internal.h"

#include <map>
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

// The boxes open, nested ones too, with what each offers and the answer
// once given.
struct OpenBox {
    std::vector<int> answers;
    int escapeAnswer;
    int answer = 0;
};
std::map<HWND, OpenBox>& OpenBoxes() {
    static std::map<HWND, OpenBox> boxes;
    return boxes;
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = OpenBoxes().find(hwnd);
    if (found == OpenBoxes().end()) return DefWindowProcA(hwnd, message, wParam, lParam);
    OpenBox& box = found->second;
    switch (message) {
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDCANCEL && box.escapeAnswer != 0) id = box.escapeAnswer;
        for (int answer : box.answers) {
            if (answer == id && box.answer == 0) box.answer = id;
        }
        return 0;
    }
    case WM_CLOSE:  // the close box, as Escape
        if (box.escapeAnswer != 0 && box.answer == 0) box.answer = box.escapeAnswer;
        return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

const WindowClass& BoxClass() {
    static const WindowClass boxClass = [] {
        WindowClass made;
        made.name = "#32770";
        made.proc = BoxProc;
        made.background = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
        return made;
    }();
    return boxClass;
}

// The box's window: made as the driver shows it, gone with this object.
class BoxWindow {
public:
    explicit BoxWindow(const MessageBoxRequest& request) {
        auto record = std::make_unique<Window>();
        record->windowClass = &BoxClass();
        record->proc = BoxProc;
        record->owner = IsWindow(request.owner) ? request.owner : nullptr;
        record->style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        record->text = request.caption;
        Window* window = AddWindow(std::move(record));
        handle_ = window->handle;
        OpenBox& box = OpenBoxes()[handle_];
        for (const MessageBoxButton& button : request.buttons) box.answers.push_back(button.answer);
        box.escapeAnswer = request.escapeAnswer;
        window->native = TheDriver().CreateMessageBox(*window, request);
        window->visible = true;
    }
    ~BoxWindow() {
        if (IsWindow(handle_)) DestroyWindow(handle_);
        OpenBoxes().erase(handle_);
    }
    BoxWindow(const BoxWindow&) = delete;
    BoxWindow& operator=(const BoxWindow&) = delete;

    HWND Handle() const { return handle_; }
    // The button chosen, 0 while none has been (or once the box is gone).
    int Answer() const {
        auto found = OpenBoxes().find(handle_);
        return found != OpenBoxes().end() ? found->second.answer : 0;
    }

private:
    HWND handle_ = nullptr;
};

// Only the owner is disabled while the box is open; without one, nothing is.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner) : owner_(IsWindow(owner) && IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_ != nullptr) EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() {
        if (owner_ != nullptr && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND owner_;
};

// Dispatches the thread's messages until the box is answered or gone, as the
// box's own loop does on Windows: the program's windows keep working meanwhile.
void RunBoxLoop(const BoxWindow& box) {
    while (box.Answer() == 0 && IsWindow(box.Handle())) {
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
    HWND previous = GetActiveWindow();
    int answer = 0;
    {
        OwnerDisabled disabled(hWnd);
        BoxWindow box(request);
        // The box is the active window while it is open, so the program's
        // windows lose the activation and the keyboard focus.
        Activate(box.Handle());
        RunBoxLoop(box);
        answer = box.Answer();
    }
    // The window active before gets the activation back, and with it the
    // focus, unless the user activated one of ours meanwhile.
    if (GetActiveWindow() == nullptr && IsWindow(previous)) Activate(previous);
    if (answer != 0) return answer;
    return request.escapeAnswer != 0 ? request.escapeAnswer : request.buttons.front().answer;
}
