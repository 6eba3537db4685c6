// The queue's order: sent messages run at once, posted ones wait in turn, the
// quit message comes after them, painting last; what PeekMessage's filters take.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = conformance::TopWindow();
        other_ = conformance::TopWindow();
        child_ = conformance::Child(window_, 1, 0);  // hidden: never painted
        Log().Name(window_, "window");
        Log().Name(other_, "other");
        Log().Name(child_, "child");
        ShowWindow(window_, SW_SHOW);
        ShowWindow(other_, SW_SHOWNA);
        conformance::Drain();
        Log().Watch({WM_USER, WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_PAINT});
        Log().Clear();
    }
    void TearDown() override {
        DestroyWindow(window_);
        DestroyWindow(other_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        conformance::Drain();
    }
    // The messages one at a time as the queue hands them out, for as long as it does.
    static std::vector<MSG> TakeAll(HWND filter = nullptr, UINT first = 0, UINT last = 0) {
        std::vector<MSG> taken;
        MSG msg;
        for (int i = 0; i < 20 && PeekMessageA(&msg, filter, first, last, PM_REMOVE); ++i) {
            taken.push_back(msg);
            if (msg.message != WM_QUIT) DispatchMessageA(&msg);
        }
        return taken;
    }
    Lines Named(const std::vector<MSG>& messages) {
        Lines lines;
        for (const MSG& msg : messages) lines.push_back(Log().NameOf(msg.hwnd) + " " + conformance::Describe(msg.message));
        return lines;
    }
    HWND window_ = nullptr, other_ = nullptr, child_ = nullptr;
};

TEST_F(MessageQueue, SentRunsAtOncePostedInOrderThenQuitThenPaint) {
    InvalidateRect(window_, nullptr, TRUE);
    PostMessageA(window_, WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    PostMessageA(other_, WM_USER + 2, 0, 0);
    EXPECT_EQ(SendMessageA(window_, WM_USER, 0, 0), 0);
    EXPECT_EQ(Log().Take(), Lines{"window WM_USER+0"});  // before anything queued

    std::vector<MSG> taken = TakeAll();
    EXPECT_EQ(Named(taken), (Lines{"window WM_USER+1", "other WM_USER+2", "NULL WM_QUIT", "window WM_PAINT"}));
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[2].wParam, 7u);
    // Dispatched in that order; DefWindowProc's WM_PAINT validated the window.
    EXPECT_EQ(Log().Take(), (Lines{"window WM_USER+1", "other WM_USER+2", "window WM_PAINT"}));
}

TEST_F(MessageQueue, PaintIsNeverRemovedOnlyValidated) {
    InvalidateRect(window_, nullptr, TRUE);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // still due: nobody painted
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, window_);
    ValidateRect(window_, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    // A posted message comes first even when the paint was due before it.
    InvalidateRect(window_, nullptr, TRUE);
    PostMessageA(window_, WM_USER + 3, 0, 0);
    EXPECT_EQ(Named(TakeAll()), (Lines{"window WM_USER+3", "window WM_PAINT"}));
}

TEST_F(MessageQueue, FiltersTakeByRangeAndByWindowWithItsChildren) {
    PostMessageA(window_, WM_USER + 1, 0, 0);
    PostMessageA(other_, WM_USER + 2, 0, 0);
    PostMessageA(child_, WM_USER + 3, 0, 0);
    PostMessageA(window_, WM_USER, 0, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 10, WM_USER + 20, PM_REMOVE));
    // A window filter takes the window's own messages and its children's, in queue order.
    EXPECT_EQ(Named(TakeAll(window_)), (Lines{"window WM_USER+1", "child WM_USER+3", "window WM_USER+0"}));
    // PM_NOREMOVE looks without taking.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, other_);
    EXPECT_EQ(Named(TakeAll(nullptr, WM_USER + 2, WM_USER + 2)), Lines{"other WM_USER+2"});
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    // A message posted to no window is the thread's: only an unfiltered look takes it.
    PostMessageA(nullptr, WM_USER + 1, 5, 6);
    EXPECT_FALSE(PeekMessageA(&msg, window_, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.lParam, 6);
}

// As documented for GetMessage: WM_QUIT comes whatever the filter asks for.
TEST_F(MessageQueue, QuitIsTakenOnceWhateverTheFilter) {
    PostQuitMessage(3);
    PostQuitMessage(4);  // the last code counts; there is still one quit
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_TRUE(PeekMessageA(&msg, window_, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 4u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, PostingToAWindowThatIsGoneFails) {
    HWND gone = conformance::TopWindow();
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);  // ERROR_INVALID_WINDOW_HANDLE
    EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
}

}  // namespace
