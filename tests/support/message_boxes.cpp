#include "message_boxes.h"

#ifndef _WIN32

#include <platform/testing.h>

namespace wordoria::test {

struct MessageBoxes::Impl {
    explicit Impl(int answer) : hook([answer](const testing::MessageBoxCall&) { return answer; }) {}
    testing::MessageBoxHook hook;
};

MessageBoxes::MessageBoxes(int answer) : impl_(std::make_unique<Impl>(answer)) {}
MessageBoxes::~MessageBoxes() = default;

std::vector<ShownBox> MessageBoxes::shown() const {
    std::vector<ShownBox> boxes;
    for (const auto& call : impl_->hook.calls()) {
        UINT buttons = call.type & MB_TYPEMASK;
        boxes.push_back({call.owner, call.caption, call.text, buttons != MB_OK});
    }
    return boxes;
}

}  // namespace wordoria::test

#else

#include <atomic>
#include <mutex>
#include <thread>

namespace wordoria::test {

namespace {
const int MESSAGE_TEXT_ID = 0xFFFF;  // the static control that holds a box's text
}

struct MessageBoxes::Impl {
    explicit Impl(int answer) : answer(answer), watcher([this] { Watch(); }) {}
    ~Impl() {
        stop = true;
        watcher.join();
    }

    // Boxes belong to this process's thread; find them by their dialog class.
    static BOOL CALLBACK CollectBox(HWND window, LPARAM found) {
        char className[16];
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && GetClassNameA(window, className, sizeof className) &&
            lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    void Watch() {
        while (!stop) {
            HWND box = nullptr;
            EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&box));
            if (box != nullptr) Answer(box);
            Sleep(5);
        }
    }

    void Answer(HWND box) {
        char caption[512] = "", text[2048] = "";
        GetWindowTextA(box, caption, sizeof caption);
        GetDlgItemTextA(box, MESSAGE_TEXT_ID, text, sizeof text);
        HWND second = GetDlgItem(box, IDCANCEL) != nullptr ? GetDlgItem(box, IDCANCEL) : GetDlgItem(box, IDNO);
        {
            std::lock_guard<std::mutex> lock(mutex);
            boxes.push_back({GetWindow(box, GW_OWNER), caption, text, second != nullptr});
        }
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        // Wait until the box has gone so it is not recorded twice: as long
        // as a loaded machine may take.
        DWORD start = GetTickCount();
        while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < 30000) Sleep(5);
    }

    int answer;
    std::atomic<bool> stop{false};
    mutable std::mutex mutex;
    std::vector<ShownBox> boxes;
    std::thread watcher;
};

MessageBoxes::MessageBoxes(int answer) : impl_(std::make_unique<Impl>(answer)) {}
MessageBoxes::~MessageBoxes() = default;

std::vector<ShownBox> MessageBoxes::shown() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->boxes;
}

}  // namespace wordoria::test

#endif
