// List boxes: what the program's messages answer, LB_ERR where there is no
// such item, and LBN_SELCHANGE only for the user's selection, never the program's.
#include "message_log.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

const std::string SELCHANGE = "parent WM_COMMAND 1008 code 1";

class ListBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = conformance::ShownParent();
        conformance::Drain();
        Log().Watch({WM_COMMAND});
    }
    void TearDown() override {
        DestroyWindow(parent_);
        conformance::Drain();
    }
    HWND List(DWORD style = LBS_NOTIFY, std::initializer_list<const char*> items = {}) {
        HWND list = conformance::Child(parent_, 1008, WS_VISIBLE | WS_BORDER | WS_VSCROLL | style, "LISTBOX", "", 10, 10,
                                       240, 160);
        EXPECT_NE(list, nullptr);
        for (const char* item : items) Add(list, item);
        conformance::Drain();
        Log().Clear();
        return list;
    }
    static LRESULT Add(HWND list, const char* text) {
        return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    static std::string Item(HWND list, int index) {
        char buffer[256];
        LRESULT length = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
        return length == LB_ERR ? "<LB_ERR>" : std::string(buffer, static_cast<size_t>(length));
    }
    HWND parent_ = nullptr;
};

TEST_F(ListBoxes, ItemsAreAddedInOrderAndReadBackAsTheirBytes) {
    HWND list = List();
    EXPECT_EQ(Add(list, "いろは"), 0);
    EXPECT_EQ(Add(list, "ABC"), 1);
    EXPECT_EQ(Add(list, "あ"), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 6);
    EXPECT_EQ(Item(list, 0), "いろは");
    EXPECT_EQ(Item(list, 2), "あ");

    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("x")), 1);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("y")), 4);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 4);  // answers how many are left
    EXPECT_EQ(Item(list, 0), "x");
    EXPECT_EQ(Item(list, 3), "y");

    HWND sorted = conformance::Child(parent_, 1009, WS_VISIBLE | LBS_SORT, "LISTBOX", "", 300, 10, 100, 100);
    EXPECT_EQ(Add(sorted, "b"), 0);
    EXPECT_EQ(Add(sorted, "a"), 0);
    EXPECT_EQ(Add(sorted, "C"), 2);  // case does not count
    EXPECT_EQ(Item(sorted, 1), "b");
}

TEST_F(ListBoxes, NoSuchItemAnswersLbErr) {
    HWND list = List(LBS_NOTIFY, {"one", "two", "three"});
    char buffer[16];
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 3, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("z")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);  // nothing selected yet
}

TEST_F(ListBoxes, TheProgramsSelectionIsNeverAnnounced) {
    HWND list = List(LBS_NOTIFY, {"one", "two", "three"});
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);  // a refused selection changes nothing
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);  // clears, yet answers LB_ERR
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    Add(list, "four");  // refilled, still nothing is selected
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    conformance::Drain();
    EXPECT_EQ(Log().Take(), Lines{});
}

TEST_F(ListBoxes, TheUsersSelectionIsAnnouncedOnlyWithLbsNotify) {
#ifndef _WIN32
    GTEST_SKIP() << "layer differs: a list box takes input from Qt's widget only; WM_KEYDOWN sent to it "
                    "changes nothing";
#endif
    HWND list = List(LBS_NOTIFY, {"one", "two", "three"});
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    conformance::Drain();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Log().Take(), Lines{SELCHANGE});

    DestroyWindow(list);
    HWND quiet = List(0, {"one", "two"});
    SendMessageA(quiet, LB_SETCURSEL, 0, 0);
    SendMessageA(quiet, WM_KEYDOWN, VK_DOWN, 0);
    conformance::Drain();
    EXPECT_EQ(SendMessageA(quiet, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Log().Take(), Lines{});
}

}  // namespace
