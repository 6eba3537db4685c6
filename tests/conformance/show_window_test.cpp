// What ShowWindow sends and what it changes: visibility, activation and the
// keyboard focus that comes with it.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

class ShowingWindows : public ::testing::Test {
protected:
    void SetUp() override {
        Log().Watch({WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS});
        first_ = Top("first");
        second_ = Top("second");
        conformance::Drain();
        Log().Clear();
    }
    void TearDown() override {
        for (HWND window : made_) DestroyWindow(window);
        conformance::Drain();
    }
    HWND Top(const char* name, DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = conformance::TopWindow(style);
        EXPECT_NE(window, nullptr);
        Log().Name(window, name);
        made_.push_back(window);
        return window;
    }
    HWND first_ = nullptr, second_ = nullptr;
    std::vector<HWND> made_;
};

TEST_F(ShowingWindows, ShowingATopWindowSendsShowWindowThenActivatesAndFocusesIt) {
    EXPECT_FALSE(ShowWindow(first_, SW_SHOW));  // it was hidden
    EXPECT_EQ(Log().Take(), (Lines{"first WM_SHOWWINDOW TRUE", "first WM_ACTIVATE WA_ACTIVE", "first WM_SETFOCUS NULL"}));
    EXPECT_TRUE(IsWindowVisible(first_));
    EXPECT_EQ(GetActiveWindow(), first_);
    EXPECT_EQ(GetFocus(), first_);

    EXPECT_TRUE(ShowWindow(first_, SW_SHOW));  // already shown: nothing is sent
    EXPECT_EQ(Log().Take(), Lines{});

    // The next one shown takes the activation, and with it the focus.
    ShowWindow(second_, SW_SHOWNORMAL);
    EXPECT_EQ(Log().Take(), (Lines{"second WM_SHOWWINDOW TRUE", "first WM_ACTIVATE WA_INACTIVE",
                                   "second WM_ACTIVATE WA_ACTIVE", "first WM_KILLFOCUS second",
                                   "second WM_SETFOCUS first"}));
    EXPECT_EQ(GetActiveWindow(), second_);
    EXPECT_EQ(GetFocus(), second_);
}

TEST_F(ShowingWindows, ShowNaAndShowNoActivateLeaveTheActiveWindowAlone) {
    ShowWindow(first_, SW_SHOW);
    Log().Clear();
    ShowWindow(second_, SW_SHOWNA);
    HWND third = Top("third");
    ShowWindow(third, SW_SHOWNOACTIVATE);
    EXPECT_EQ(Log().Take(), (Lines{"second WM_SHOWWINDOW TRUE", "third WM_SHOWWINDOW TRUE"}));
    EXPECT_TRUE(IsWindowVisible(second_));
    EXPECT_EQ(GetActiveWindow(), first_);
    EXPECT_EQ(GetFocus(), first_);
}

TEST_F(ShowingWindows, ChildrenAreShownAndHiddenWithoutActivation) {
    ShowWindow(first_, SW_SHOW);
    HWND child = conformance::Child(first_, 1, 0);
    Log().Name(child, "child");
    Log().Clear();
    EXPECT_FALSE(ShowWindow(child, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(child, SW_HIDE));
    EXPECT_EQ(Log().Take(), (Lines{"child WM_SHOWWINDOW TRUE", "child WM_SHOWWINDOW FALSE"}));
    EXPECT_EQ(GetActiveWindow(), first_);

    // A shown child of a hidden parent is not visible, and shows with it.
    ShowWindow(child, SW_SHOW);
    ShowWindow(first_, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(first_, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(child));
}

// The program handles neither, but <windows.h> names both: a program written
// against it is told its size and place when its window is made or first shown.
TEST_F(ShowingWindows, AWindowIsToldItsClientSizeAndPlaceBeforeItIsFirstShown) {
    Log().Watch({WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    Top("popup", WS_POPUP);
    HWND child = conformance::Child(first_, 1, 0, nullptr, "", 5, 6, 70, 30);
    Log().Name(child, "child");
    EXPECT_EQ(Log().Take(), (Lines{"popup WM_SIZE", "popup WM_MOVE", "child WM_SIZE", "child WM_MOVE"}));
    ShowWindow(first_, SW_SHOW);
    Lines shown = Log().Take();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "first WM_SHOWWINDOW TRUE");
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "first WM_SIZE"), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "first WM_MOVE"), 1);
}

}  // namespace
