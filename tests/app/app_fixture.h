// The one application object, started once for all the program's tests in
// this process, and a loop turn as the main loop runs it.
#pragma once

#include <application.h>

#include <platform/testing.h>

#include "qt_application.h"

#include <gtest/gtest.h>

namespace wordoria::test {

inline void EnsureApplication() {
    static bool started = false;
    if (started) return;
    started = true;
    platform::EnsureQtApplication();
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

}  // namespace wordoria::test
