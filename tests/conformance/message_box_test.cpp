// A message box disables its owner while it is up and runs the thread's
// messages meanwhile; after it, the owner is enabled and active again.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;

const UINT WM_DURING_BOX = WM_APP + 1;

struct DuringBox {
    bool ran = false;
    bool ownerEnabled = true;
    bool otherEnabled = false;
    HWND active = nullptr;
    HWND boxOwner = nullptr;
    bool answerByCommand = false;  // else by WM_QUIT
};
DuringBox during;
HWND otherWindow = nullptr;

// Runs inside the box's own loop: posted to the owner before the box was opened.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DURING_BOX) return DefWindowProcA(hwnd, message, wParam, lParam);
    during.ran = true;
    during.ownerEnabled = IsWindowEnabled(hwnd) != FALSE;
    during.otherEnabled = IsWindowEnabled(otherWindow) != FALSE;
    during.active = GetActiveWindow();
    if (during.active != nullptr) during.boxOwner = GetWindow(during.active, GW_OWNER);
    if (during.answerByCommand) {
        PostMessageA(during.active, WM_COMMAND, IDCANCEL, 0);  // the box's Cancel button
    } else {
        PostQuitMessage(5);
    }
    return 0;
}

class MessageBoxes : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "BoxOwner";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void SetUp() override {
        during = DuringBox{};
        otherWindow = conformance::TopWindow(WS_OVERLAPPEDWINDOW, nullptr, "BoxOwner");
        owner_ = conformance::TopWindow(WS_OVERLAPPEDWINDOW, nullptr, "BoxOwner");
        ShowWindow(otherWindow, SW_SHOW);
        ShowWindow(owner_, SW_SHOW);
        conformance::Drain();
        ASSERT_EQ(GetActiveWindow(), owner_);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        DestroyWindow(otherWindow);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        conformance::Drain();
    }
    HWND owner_ = nullptr;
};

// A modal loop that meets WM_QUIT ends and posts it again, so that the
// program's own loop still ends on it. What becomes of the owner then is left
// alone: Wine leaves it disabled (nothing re-enables it but the box's own
// answer), the layer enables it again.
TEST_F(MessageBoxes, TheOwnerIsDisabledWhileTheBoxRunsTheQueueAndAQuitEndsTheBox) {
    PostMessageA(owner_, WM_DURING_BOX, 0, 0);
    MessageBoxA(owner_, "本文", "見出し", MB_OKCANCEL);
    ASSERT_TRUE(during.ran);
    EXPECT_FALSE(during.ownerEnabled);
    EXPECT_TRUE(during.otherEnabled);  // only the owner is disabled
    EXPECT_NE(during.active, owner_);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);

    // Without an owner no window is disabled.
    EnableWindow(owner_, TRUE);
    during = DuringBox{};
    PostMessageA(owner_, WM_DURING_BOX, 0, 0);
    MessageBoxA(nullptr, "本文", "見出し", MB_OK);
    ASSERT_TRUE(during.ran);
    EXPECT_TRUE(during.ownerEnabled);
    EXPECT_TRUE(during.otherEnabled);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(MessageBoxes, TheBoxIsTheActiveWindowOwnedByItsOwnerAndAnswersItsButtons) {
    during.answerByCommand = true;
    PostMessageA(owner_, WM_DURING_BOX, 0, 0);
    EXPECT_EQ(MessageBoxA(owner_, "本文", "見出し", MB_OKCANCEL), IDCANCEL);
    ASSERT_TRUE(during.ran);
    EXPECT_FALSE(during.ownerEnabled);
    ASSERT_NE(during.active, nullptr);
    EXPECT_NE(during.active, owner_);
    EXPECT_EQ(during.boxOwner, owner_);
    EXPECT_FALSE(IsWindow(during.active));  // gone after
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(GetActiveWindow(), owner_);
}

}  // namespace
