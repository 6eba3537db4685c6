// Which window gets WM_PAINT first. Written against <windows.h> alone, so the
// same cases run on our layer and, as a Windows program, under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<HWND> painted;

LRESULT CALLBACK PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    painted.push_back(hwnd);
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    return 0;
}

const char CLASS_NAME[] = "PaintOrderTest";

class PaintOrder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PaintingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = CLASS_NAME;
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void SetUp() override {
        top_ = TopWindow(0);
        childA_ = Child(top_, 100, 0);
        childB_ = Child(top_, 200, 0);
        grandchild_ = Child(childA_, 0, 0);  // made after B, painted before it
        Drain();
        painted.clear();
    }
    void TearDown() override {
        for (auto it = tops_.rbegin(); it != tops_.rend(); ++it) DestroyWindow(*it);
        Drain();
    }

    HWND TopWindow(int x, DWORD extraStyle = 0) {
        HWND window = CreateWindowExA(0, CLASS_NAME, "paint order", WS_POPUP | WS_VISIBLE | extraStyle, x, 0, 300, 100, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        tops_.push_back(window);
        return window;
    }
    HWND Child(HWND parent, int x, int y) {
        HWND window = CreateWindowExA(0, CLASS_NAME, "", WS_CHILD | WS_VISIBLE, x, y, 50, 50, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(++ids_)),
                                      GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        return window;
    }
    // Every message due dispatched, paints included, until the queue stays empty.
    static void Drain() {
        MSG msg;
        for (int idle = 0; idle < 5;) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
                idle = 0;
            } else {
                ++idle;
                Sleep(10);
            }
        }
    }
    // A corner of the top window that no child covers.
    void InvalidateTopCorner() {
        RECT corner{0, 0, 10, 10};
        InvalidateRect(top_, &corner, TRUE);
    }

    HWND top_ = nullptr, childA_ = nullptr, childB_ = nullptr, grandchild_ = nullptr;
    std::vector<HWND> tops_;
    int ids_ = 0;
};

TEST_F(PaintOrder, AParentComesBeforeItsChildrenAndAChildsSubtreeBeforeItsNextSibling) {
    InvalidateRect(childB_, nullptr, TRUE);
    InvalidateRect(grandchild_, nullptr, TRUE);
    InvalidateTopCorner();
    Drain();
    EXPECT_EQ(painted, (std::vector<HWND>{top_, grandchild_, childB_}));
}

TEST_F(PaintOrder, AParentInvalidatedEveryTurnStarvesItsChildren) {
    InvalidateRect(childA_, nullptr, TRUE);
    MSG msg;
    for (int turn = 0; turn < 30; ++turn) {  // the program's loop: one message a turn
        InvalidateTopCorner();
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    EXPECT_EQ(std::count(painted.begin(), painted.end(), childA_), 0);
    EXPECT_GE(std::count(painted.begin(), painted.end(), top_), 20);
    painted.clear();
    Drain();  // the corner invalidated last may still be due, before the child
    EXPECT_EQ(std::count(painted.begin(), painted.end(), childA_), 1);
}

TEST_F(PaintOrder, InvalidatingAParentMarksTheChildrenUnderTheAreaUnlessItClipsThem) {
    RECT overA{90, 0, 120, 10};  // the top window's own corner of it and a strip of A and its child
    InvalidateRect(top_, &overA, TRUE);
    Drain();
    EXPECT_EQ(painted, (std::vector<HWND>{top_, childA_, grandchild_}));

    HWND clipping = TopWindow(400, WS_CLIPCHILDREN);
    Child(clipping, 100, 0);
    Drain();
    painted.clear();
    InvalidateRect(clipping, &overA, TRUE);
    Drain();
    EXPECT_EQ(painted, (std::vector<HWND>{clipping}));
}

TEST_F(PaintOrder, AFilterNeverTakesAChildBeforeTheWindowFoundFirst) {
    InvalidateTopCorner();
    InvalidateRect(childA_, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, childA_, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, top_, WM_PAINT, WM_PAINT, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, top_);
    DispatchMessageA(&msg);
    ASSERT_TRUE(PeekMessageA(&msg, childA_, WM_PAINT, WM_PAINT, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, childA_);
    DispatchMessageA(&msg);
}

TEST_F(PaintOrder, HiddenWindowsAndWhatTheyHoldAreNeverPainted) {
    ShowWindow(childA_, SW_HIDE);
    Drain();
    painted.clear();
    InvalidateRect(grandchild_, nullptr, TRUE);
    InvalidateRect(childA_, nullptr, TRUE);
    InvalidateRect(childB_, nullptr, TRUE);
    Drain();
    EXPECT_EQ(painted, (std::vector<HWND>{childB_}));
}

TEST_F(PaintOrder, TheNewestTopWindowComesFirst) {
    HWND newer = TopWindow(400);
    Drain();
    painted.clear();
    InvalidateTopCorner();
    InvalidateRect(newer, nullptr, TRUE);
    Drain();
    EXPECT_EQ(painted, (std::vector<HWND>{newer, top_}));
}

}  // namespace
