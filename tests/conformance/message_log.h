// What the tables share: a log of the messages window procedures saw, kept
// as readable lines ("parent WM_DESTROY"), and the loop that empties the queue.
#pragma once

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace conformance {

inline const char* MessageName(UINT message) {
    switch (message) {
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_MOVE: return "WM_MOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_ENABLE: return "WM_ENABLE";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_PAINT: return "WM_PAINT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_QUIT: return "WM_QUIT";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_GETMINMAXINFO: return "WM_GETMINMAXINFO";
    case WM_SETFONT: return "WM_SETFONT";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_NCCALCSIZE: return "WM_NCCALCSIZE";
    case WM_INITDIALOG: return "WM_INITDIALOG";
    case WM_COMMAND: return "WM_COMMAND";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    default: return nullptr;
    }
}

inline std::string Describe(UINT message) {
    if (const char* name = MessageName(message)) return name;
    if (message >= WM_USER && message < WM_APP) return "WM_USER+" + std::to_string(message - WM_USER);
    return std::to_string(message);
}

// Edit notifications by name; other controls' codes (BN_CLICKED 0, LBN_SELCHANGE 1) as numbers.
inline std::string NotificationName(WORD code) {
    switch (code) {
    case EN_SETFOCUS: return "EN_SETFOCUS";
    case EN_KILLFOCUS: return "EN_KILLFOCUS";
    case EN_CHANGE: return "EN_CHANGE";
    case EN_UPDATE: return "EN_UPDATE";
    case EN_MAXTEXT: return "EN_MAXTEXT";
    default: return "code " + std::to_string(code);
    }
}

// The parameter that tells one such message from another, where there is one.
inline std::string Detail(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_SHOWWINDOW:
    case WM_ENABLE: return wParam ? " TRUE" : " FALSE";
    case WM_ACTIVATE: return LOWORD(wParam) == WA_INACTIVE ? " WA_INACTIVE" : " WA_ACTIVE";
    case WM_COMMAND: return " " + std::to_string(LOWORD(wParam)) + " " + NotificationName(HIWORD(wParam));
    default: return "";
    }
}

class MessageLog {
public:
    // Only these messages are written down; every system sends more.
    void Watch(std::set<UINT> messages) { watched_ = std::move(messages); }
    void Name(HWND window, const std::string& name) { names_[window] = name; }
    std::string NameOf(HWND window) const {
        if (window == nullptr) return "NULL";
        auto found = names_.find(window);
        return found != names_.end() ? found->second : "other";
    }

    // Written down as sent; named when read, so windows named after they were made count.
    void Record(HWND window, UINT message, WPARAM wParam, LPARAM) {
        if (watched_.count(message) != 0) entries_.push_back({window, message, wParam});
    }

    std::vector<std::string> Take() {
        std::vector<std::string> lines;
        for (const Entry& entry : entries_) {
            std::string line = NameOf(entry.window) + " " + Describe(entry.message) + Detail(entry.message, entry.wParam);
            // Focus messages name the window the focus comes from or goes to.
            if (entry.message == WM_SETFOCUS || entry.message == WM_KILLFOCUS)
                line += " " + NameOf(reinterpret_cast<HWND>(entry.wParam));
            lines.push_back(line);
        }
        entries_.clear();
        return lines;
    }
    void Clear() { entries_.clear(); }

private:
    std::set<UINT> watched_;
    std::map<HWND, std::string> names_;
    struct Entry {
        HWND window;
        UINT message;
        WPARAM wParam;
    };
    std::vector<Entry> entries_;
};

inline MessageLog& Log() {
    static MessageLog log;
    return log;
}

// A window procedure that writes down what it is sent, then leaves it to DefWindowProc.
inline LRESULT CALLBACK LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Record(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline const char* LoggingClass() {
    static const char name[] = "ConformanceLogging";
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = LoggingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = name;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return name;
}

// Every message due dispatched, paints included, until the queue stays empty.
// A WM_QUIT (which no filter keeps out) is put back, for the table that posted it.
inline void Drain() {
    MSG msg;
    for (int idle = 0; idle < 5;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            idle = 0;
        } else {
            ++idle;
            Sleep(10);
        }
    }
}

inline HWND Child(HWND parent, int id, DWORD style = WS_VISIBLE, const char* className = nullptr,
                  const char* text = "", int x = 0, int y = 0, int width = 60, int height = 20) {
    return CreateWindowExA(0, className != nullptr ? className : LoggingClass(), text, WS_CHILD | style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

inline HWND TopWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr, const char* className = nullptr) {
    return CreateWindowExA(0, className != nullptr ? className : LoggingClass(), "conformance", style, 20, 20, 400,
                           300, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A shown top-level window named "parent" in the log, for the tables of
// controls and dialogs.
inline HWND ShownParent() {
    HWND parent = TopWindow();
    Log().Name(parent, "parent");
    ShowWindow(parent, SW_SHOW);
    return parent;
}

}  // namespace conformance
