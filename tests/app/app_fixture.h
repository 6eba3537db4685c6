// The one application object, started once for all the program's tests in
// this process, and a loop turn as the main loop runs it.
#pragma once

#include <application.h>
#include <delete_list.h>

#include <platform/testing.h>


#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wordoria::test {

inline void EnsureApplication() {
    static bool started = false;
    if (started) return;
    started = true;
    testing::StartTestDriver();
    g_App.m_hInstance = GetModuleHandleA(nullptr);
    g_App.m_nCmdShow = SW_SHOWDEFAULT;
    ASSERT_TRUE(g_App.m_sub_Init());
}

// One loop turn; false when it took the quit message.
inline bool Turn(int* exitCode = nullptr) {
    int code = -99;
    bool going = g_App.m_sub_Turn(&code);
    if (exitCode != nullptr) *exitCode = code;
    return going;
}

inline void Turns(int count) {
    for (int i = 0; i < count; ++i) Turn();
}

inline HWND MainWindow() { return g_App.m_wnd.m_hWnd; }

// The pointer where nothing reacts, no button held: left on a cell, it would
// have the cell repainted every turn of the next test.
inline void RestPointer() {
    using namespace wordoria::testing;
    InjectMouseRelease(MainWindow(), g_MouseState.nX, g_MouseState.nY, MouseButton::Left);
    InjectMouseRelease(MainWindow(), g_MouseState.nX, g_MouseState.nY, MouseButton::Right);
    InjectMouseMove(MainWindow(), 400, 590);
}

// Turns the loop until the program has come to rest: every message queued so
// far dispatched (the loop takes one a turn, and typing or clicks queue many),
// the chosen mode adopted and painted. Input injected by one test must not be
// dispatched in the next, so every fixture starts from here. A pointer resting
// on a cell repaints it each turn: paints alone end it after a few. False when
// a quit is waiting (left for the test to take) or it never comes to rest.
inline bool Settle() {
    int paintsInARow = 0;
    for (int turn = 0; turn < 20000; ++turn) {
        MSG msg;
        bool pending = PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
        if (pending && msg.message == WM_QUIT) return false;
        bool modeAdopted = g_App.m_main.m_nMode == g_App.m_wnd.m_nRequestedMode;
        if (!pending && modeAdopted) return true;
        paintsInARow = pending && msg.message == WM_PAINT ? paintsInARow + 1 : 0;
        if (paintsInARow > 3 && modeAdopted) return true;
        Turn();
    }
    return false;
}

// Where every test starts, whatever the one before left: the given mode
// adopted and painted, the pointer at rest, nothing queued.
inline bool StartAtRest(int mode) {
    g_App.m_wnd.m_nRequestedMode = mode;
    if (!Settle()) return false;  // what is left is dispatched before our own input
    RestPointer();
    return Settle();
}

// The texts of a list box, in order.
inline std::vector<std::string> ListBoxTexts(HWND list) {
    std::vector<std::string> texts;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128];
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

// The position in the deletion list of the record read from `path`; -1 if none.
inline int DeletePositionOf(const std::string& path) {
    for (int i = 0; i < g_nDeleteCount; ++i) {
        if (path == g_aDeleteRecord[i].szPath) return i;
    }
    return -1;
}

}  // namespace wordoria::test
