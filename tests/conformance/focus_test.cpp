// The keyboard focus: SetFocus and its two messages, and where the focus is
// after the window holding it is hidden, disabled or destroyed.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

class Focus : public ::testing::Test {
protected:
    void SetUp() override {
        top_ = conformance::TopWindow();
        first_ = conformance::Child(top_, 1);
        pane_ = conformance::Child(top_, 2);
        inPane_ = conformance::Child(pane_, 3);
        Log().Name(top_, "top");
        Log().Name(first_, "first");
        Log().Name(pane_, "pane");
        Log().Name(inPane_, "inPane");
        ShowWindow(top_, SW_SHOW);
        conformance::Drain();
        Log().Watch({WM_SETFOCUS, WM_KILLFOCUS});
        Log().Clear();
    }
    void TearDown() override {
        if (IsWindow(top_)) DestroyWindow(top_);
        conformance::Drain();
    }
    HWND top_ = nullptr, first_ = nullptr, pane_ = nullptr, inPane_ = nullptr;
};

TEST_F(Focus, SetFocusKillsTheOldFocusFirstAndAnswersWithIt) {
    ASSERT_EQ(GetFocus(), top_);  // the active window took it
    EXPECT_EQ(SetFocus(first_), top_);
    EXPECT_EQ(SetFocus(inPane_), first_);
    EXPECT_EQ(SetFocus(inPane_), inPane_);  // no change: nothing sent
    EXPECT_EQ(GetFocus(), inPane_);
    EXPECT_EQ(Log().Take(), (Lines{"top WM_KILLFOCUS first", "first WM_SETFOCUS top", "first WM_KILLFOCUS inPane",
                                   "inPane WM_SETFOCUS first"}));

    // SetFocus(NULL) takes the focus from every window.
    EXPECT_EQ(SetFocus(nullptr), inPane_);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Log().Take(), Lines{"inPane WM_KILLFOCUS NULL"});
    SetLastError(0);
    HWND gone = conformance::Child(top_, 9);
    DestroyWindow(gone);
    EXPECT_EQ(SetFocus(gone), nullptr);  // no such window: refused, nothing changes
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, DestroyingTheFocusedChildGivesTheFocusToItsParent) {
    SetFocus(first_);
    Log().Clear();
    DestroyWindow(first_);
    EXPECT_EQ(GetFocus(), top_);
    EXPECT_EQ(Log().Take(), (Lines{"first WM_KILLFOCUS top", "top WM_SETFOCUS first"}));

    // A hidden window holding the focus leaves no one with it.
    SetFocus(pane_);
    ShowWindow(pane_, SW_HIDE);
    SetFocus(inPane_);  // hidden windows may take the focus
    EXPECT_EQ(GetFocus(), inPane_);
    DestroyWindow(pane_);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, HidingAWindowLeavesTheFocusInsideItDestroyingItLeavesNoFocus) {
    SetFocus(inPane_);
    ShowWindow(pane_, SW_HIDE);  // only hiding the focus window itself moves it
    EXPECT_EQ(Log().NameOf(GetFocus()), "inPane");
    ShowWindow(pane_, SW_SHOW);
    DestroyWindow(pane_);
    EXPECT_EQ(Log().NameOf(GetFocus()), "NULL");
}

TEST_F(Focus, DisablingTheFocusedWindowTakesTheFocusFromEveryWindowDisablingItsParentDoesNot) {
    EXPECT_FALSE(EnableWindow(pane_, FALSE));  // answers whether it was disabled before
    EXPECT_TRUE(EnableWindow(pane_, TRUE));
    EXPECT_FALSE(EnableWindow(pane_, TRUE));

    SetFocus(inPane_);
    EnableWindow(pane_, FALSE);
    EXPECT_EQ(GetFocus(), inPane_);
    EnableWindow(pane_, TRUE);
    Log().Watch({WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE});
    SetFocus(first_);
    Log().Clear();
    EnableWindow(first_, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Log().Take(), (Lines{"first WM_KILLFOCUS NULL", "first WM_ENABLE FALSE"}));
    EnableWindow(first_, TRUE);
}

}  // namespace
