// Closing and destroying: WM_CLOSE left to DefWindowProc destroys, WM_DESTROY
// goes to a parent before its children, WM_NCDESTROY after theirs.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

// Refuses WM_CLOSE, as a program that asks the user first does when told no.
LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Record(hwnd, message, wParam, lParam);
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DestroyingWindows : public ::testing::Test {
protected:
    void SetUp() override {
        Log().Watch({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY});
        top_ = conformance::TopWindow();
        Log().Name(top_, "top");
        first_ = conformance::Child(top_, 1);
        second_ = conformance::Child(top_, 2);
        grandchild_ = conformance::Child(first_, 3);
        Log().Name(first_, "first");
        Log().Name(second_, "second");
        Log().Name(grandchild_, "grandchild");
        ShowWindow(top_, SW_SHOW);
        conformance::Drain();
        Log().Clear();
    }
    void TearDown() override {
        if (IsWindow(top_)) DestroyWindow(top_);
        conformance::Drain();
    }
    HWND top_ = nullptr, first_ = nullptr, second_ = nullptr, grandchild_ = nullptr;
};

TEST_F(DestroyingWindows, TheCloseCommandBecomesWmCloseAndDefWindowProcDestroys) {
    SendMessageA(top_, WM_SYSCOMMAND, SC_CLOSE, 0);
    Lines lines = Log().Take();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "top WM_SYSCOMMAND");
    EXPECT_EQ(lines[1], "top WM_CLOSE");
    EXPECT_EQ(lines[2], "top WM_DESTROY");
    EXPECT_EQ(lines.back(), "top WM_NCDESTROY");
    EXPECT_FALSE(IsWindow(top_));
    EXPECT_FALSE(IsWindow(grandchild_));

    static const char REFUSING[] = "RefusingClose";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RefusingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = REFUSING;
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND refusing = conformance::TopWindow(WS_OVERLAPPEDWINDOW, nullptr, REFUSING);
    Log().Name(refusing, "refusing");
    PostMessageA(refusing, WM_CLOSE, 0, 0);
    conformance::Drain();
    EXPECT_EQ(Log().Take(), Lines{"refusing WM_CLOSE"});
    EXPECT_TRUE(IsWindow(refusing));
    DestroyWindow(refusing);
}

TEST_F(DestroyingWindows, EveryWmDestroyComesParentFirstBeforeAnyWmNcDestroyChildrenFirst) {
    EXPECT_TRUE(DestroyWindow(top_));
    Lines lines = Log().Take();
    EXPECT_EQ(lines, (Lines{"top WM_DESTROY", "first WM_DESTROY", "grandchild WM_DESTROY", "second WM_DESTROY",
                            "grandchild WM_NCDESTROY", "first WM_NCDESTROY", "second WM_NCDESTROY",
                            "top WM_NCDESTROY"}));
}

TEST_F(DestroyingWindows, AChildDestroyedAloneLeavesItsParentAndSiblingsAndTheirMessages) {
    PostMessageA(first_, WM_USER, 0, 0);
    PostMessageA(second_, WM_USER, 0, 0);
    EXPECT_TRUE(DestroyWindow(first_));
    EXPECT_EQ(Log().Take(), (Lines{"first WM_DESTROY", "grandchild WM_DESTROY", "grandchild WM_NCDESTROY",
                                   "first WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(first_));
    EXPECT_TRUE(IsWindow(second_));
    EXPECT_EQ(GetWindow(top_, GW_CHILD), second_);
    // Gone: refused. (Its error code is left alone: Windows gives
    // ERROR_INVALID_WINDOW_HANDLE, Wine ERROR_ACCESS_DENIED.)
    EXPECT_FALSE(DestroyWindow(first_));

    // The gone window's posted message went with it; its sibling's stays.
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, second_);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

}  // namespace
