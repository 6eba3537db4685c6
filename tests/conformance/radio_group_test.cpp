// Automatic radio buttons: a click checks the button and clears the rest of
// its group, which runs from a WS_GROUP sibling to the next; BM_SETCHECK
// touches one button and tells nobody.
#include "message_log.h"

#include <gtest/gtest.h>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

class RadioGroups : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = conformance::ShownParent();
        Log().Watch({WM_COMMAND});
    }
    void TearDown() override {
        DestroyWindow(parent_);
        conformance::Drain();
    }
    HWND Button(int id, DWORD style, const char* text = "r") {
        HWND button = conformance::Child(parent_, id, WS_VISIBLE | style, "BUTTON", text, 10 + 40 * (id % 10),
                                         10 + 30 * (id / 10 % 10), 36, 24);
        EXPECT_NE(button, nullptr);
        return button;
    }
    // A static that starts a group, as the dialogs' labels do.
    void Label(int id) {
        EXPECT_NE(conformance::Child(parent_, id, WS_VISIBLE | SS_LEFT | WS_GROUP, "STATIC", "label", 300, 10 * id),
                  nullptr);
    }
    // The registration dialog's shape: a push button, a radio alone in its
    // group, a static that starts the next group, then radios without WS_GROUP.
    void MakeGroups() {
        push_ = Button(10, BS_PUSHBUTTON | WS_TABSTOP, "push");
        single_ = Button(11, BS_AUTORADIOBUTTON | WS_GROUP);
        Label(12);
        for (int id = 20; id < 26; ++id) group_.push_back(Button(id, BS_AUTORADIOBUTTON));
        conformance::Drain();
        Log().Clear();
    }
    std::vector<int> CheckedInGroup() const {
        std::vector<int> checked;
        for (HWND button : group_)
            if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) checked.push_back(GetDlgCtrlID(button));
        return checked;
    }
    static bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(HWND button) {
        SendMessageA(button, BM_CLICK, 0, 0);
        conformance::Drain();
    }
    HWND parent_ = nullptr, push_ = nullptr, single_ = nullptr;
    std::vector<HWND> group_;
};

TEST_F(RadioGroups, AClickChecksTheButtonClearsTheRestOfItsGroupAndTellsTheParent) {
    MakeGroups();
    Click(group_[1]);
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{21});
    Click(group_[4]);
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{24});
    EXPECT_EQ(Log().Take(), (Lines{"parent WM_COMMAND 21 code 0", "parent WM_COMMAND 24 code 0"}));

    // The lone radio is a group of its own: the two leave each other alone.
    Click(single_);
    EXPECT_TRUE(Checked(single_));
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{24});
    Click(group_[0]);
    EXPECT_TRUE(Checked(single_));
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{20});

    // The checked one clicked again stays checked and tells the parent again.
    Log().Clear();
    Click(group_[0]);
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{20});
    EXPECT_EQ(Log().Take(), Lines{"parent WM_COMMAND 20 code 0"});
    Click(push_);
    EXPECT_FALSE(Checked(push_));
    EXPECT_EQ(Log().Take(), Lines{"parent WM_COMMAND 10 code 0"});
}

TEST_F(RadioGroups, WithoutAGroupStartBeforeItAGroupWrapsAroundFromTheLastStart) {
    // The deletion dialog's shape: the first radio has no WS_GROUP.
    HWND first = Button(10, BS_AUTORADIOBUTTON);
    Label(11);
    HWND middle = Button(12, BS_AUTORADIOBUTTON | WS_GROUP);
    HWND last = Button(13, BS_AUTORADIOBUTTON);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(middle, BM_SETCHECK, BST_CHECKED, 0);
    Click(last);  // its group runs from `middle` round to `first`
    EXPECT_FALSE(Checked(first));
    EXPECT_FALSE(Checked(middle));
    EXPECT_TRUE(Checked(last));
    Click(first);
    EXPECT_FALSE(Checked(last));
}

TEST_F(RadioGroups, SetCheckChangesOnlyThatButtonAndTellsNobody) {
    MakeGroups();
    SendMessageA(group_[2], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(group_[5], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(single_, BM_SETCHECK, BST_CHECKED, 0);
    conformance::Drain();
    EXPECT_EQ(CheckedInGroup(), (std::vector<int>{22, 25}));
    EXPECT_TRUE(Checked(single_));
    SendMessageA(group_[2], BM_SETCHECK, BST_UNCHECKED, 0);
    conformance::Drain();
    EXPECT_EQ(CheckedInGroup(), std::vector<int>{25});
    EXPECT_EQ(Log().Take(), Lines{});
    SendMessageA(push_, BM_SETCHECK, BST_CHECKED, 0);  // a push button has no check
    EXPECT_EQ(SendMessageA(push_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(RadioGroups, HiddenAndDisabledRadiosKeepTheirCheck) {
    MakeGroups();
    for (int i : {1, 2, 3}) SendMessageA(group_[i], BM_SETCHECK, BST_CHECKED, 0);
    ShowWindow(group_[1], SW_HIDE);
    EnableWindow(group_[2], FALSE);
    Click(group_[0]);
    EXPECT_EQ(CheckedInGroup(), (std::vector<int>{20, 21, 22}));
}

}  // namespace
