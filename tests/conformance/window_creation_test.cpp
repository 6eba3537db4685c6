// What CreateWindowEx sends, in its order, and how a window procedure refuses
// a creation.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

struct Creation {
    HWND firstHandle = nullptr;  // the handle the first message came with
    LPVOID param = nullptr;      // lpCreateParams at WM_CREATE
    std::string name;            // lpszName at WM_NCCREATE
    LRESULT ncCreateAnswer = TRUE;
    LRESULT createAnswer = 0;
};
Creation creation;

LRESULT CALLBACK CreationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (creation.firstHandle == nullptr) creation.firstHandle = hwnd;
    Log().Name(hwnd, "window");
    Log().Record(hwnd, message, wParam, lParam);
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    if (message == WM_NCCREATE) {
        creation.name = create->lpszName != nullptr ? create->lpszName : "";
        if (creation.ncCreateAnswer != TRUE) return creation.ncCreateAnswer;
    }
    if (message == WM_CREATE) {
        creation.param = create->lpCreateParams;
        if (creation.createAnswer != 0) return creation.createAnswer;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char CLASS_NAME[] = "CreationTest";

class WindowCreation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CreationProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void SetUp() override {
        creation = Creation{};
        Log().Watch({WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SHOWWINDOW, WM_DESTROY,
                     WM_NCDESTROY});
        Log().Clear();
    }
    void TearDown() override {
        for (HWND window : made_) DestroyWindow(window);
        conformance::Drain();
    }
    HWND Create(DWORD style, HWND parent = nullptr, int id = 0) {
        static int param = 0;
        HWND window = CreateWindowExA(0, CLASS_NAME, "名前", style, 10, 10, 200, 100, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                      &param);
        if (window != nullptr && parent == nullptr) made_.push_back(window);
        EXPECT_EQ(creation.param, window != nullptr ? &param : creation.param);
        return window;
    }
    std::vector<HWND> made_;
};

TEST_F(WindowCreation, ATopLevelWindowHearsMinMaxNcCreateNcCalcSizeAndCreateWithItsHandleAndText) {
    HWND window = Create(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Log().Take(), (Lines{"window WM_GETMINMAXINFO", "window WM_NCCREATE", "window WM_NCCALCSIZE",
                                   "window WM_CREATE"}));
    EXPECT_EQ(creation.firstHandle, window);  // already the handle CreateWindowEx gives back
    EXPECT_EQ(creation.name, "名前");
    char text[16];
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 4);  // DefWindowProc's WM_NCCREATE took the name
    EXPECT_STREQ(text, "名前");
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(WindowCreation, AChildHearsNoMinMaxAndWithWsVisibleIsShownAtTheEnd) {
    HWND parent = Create(WS_OVERLAPPEDWINDOW);
    Log().Clear();
    creation.firstHandle = nullptr;
    HWND child = Create(WS_CHILD | WS_VISIBLE, parent, 7);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(Log().Take(),
              (Lines{"window WM_NCCREATE", "window WM_NCCALCSIZE", "window WM_CREATE", "window WM_SHOWWINDOW TRUE"}));
    EXPECT_EQ(creation.firstHandle, child);
    EXPECT_EQ(GetDlgCtrlID(child), 7);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), child);
    EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
    ShowWindow(parent, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowCreation, MinusOneFromWmCreateFailsTheCreationAndTheWindowGetsOnlyItsLastMessage) {
    creation.createAnswer = -1;
    EXPECT_EQ(Create(WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_EQ(Log().Take(), (Lines{"window WM_GETMINMAXINFO", "window WM_NCCREATE", "window WM_NCCALCSIZE",
                                   "window WM_CREATE", "window WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(creation.firstHandle));
}

TEST_F(WindowCreation, FalseFromWmNcCreateFailsTheCreationBeforeWmCreate) {
    creation.ncCreateAnswer = FALSE;
    EXPECT_EQ(Create(WS_OVERLAPPEDWINDOW), nullptr);
    Lines lines = Log().Take();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "window WM_NCCREATE");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "window WM_CREATE"), 0);
    EXPECT_EQ(lines.back(), "window WM_NCDESTROY");
    EXPECT_FALSE(IsWindow(creation.firstHandle));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "window WM_DESTROY"), 0);
}

}  // namespace
