// Dialogs made by CreateDialogParamA from the program's own templates (101,
// the registration dialog; 104, the deletion dialog): what the dialog
// procedure hears, the controls in template order with their ids, the focus.
#include "message_log.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using conformance::Log;
using Lines = std::vector<std::string>;

const int IDD_REGIST = 101, IDD_DELETE = 104;
const int IDC_DECIDE = 1000, IDC_WORDNAME = 1001, IDC_KANA_A = 1002, IDC_CONTENT = 1003, IDC_WORDLIST = 1008;

LPARAM initParam = 0;
HWND initFocus = nullptr;
BOOL initAnswer = FALSE;

INT_PTR CALLBACK RecordingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().Name(hwnd, "dialog");
    Log().Record(hwnd, message, wParam, lParam);
    if (message != WM_INITDIALOG) return FALSE;
    initParam = lParam;
    initFocus = reinterpret_cast<HWND>(wParam);
    return initAnswer;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = conformance::ShownParent();
        conformance::Drain();
        initParam = 0;
        initFocus = nullptr;
        initAnswer = FALSE;
        Log().Watch({WM_SETFONT, WM_INITDIALOG, WM_SHOWWINDOW, WM_COMMAND});
        Log().Clear();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        conformance::Drain();
    }
    HWND Make(int id, LPARAM param = 0) {
        return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent_, RecordingDialogProc,
                                  param);
    }
    static std::vector<int> ChildIds(HWND dialog) {
        std::vector<int> ids;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            ids.push_back(GetDlgCtrlID(child));
        return ids;
    }
    static std::string ClassOf(HWND window) {
        char name[32] = "";
        GetClassNameA(window, name, sizeof name);
        return name;
    }
    HWND parent_ = nullptr;
};

TEST_F(Dialogs, TheProcedureHearsTheFontThenWmInitDialogWithTheFirstTabStopAndTheParameter) {
    HWND dialog = Make(IDD_REGIST, 42);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Log().Take(), (Lines{"dialog WM_SETFONT", "dialog WM_INITDIALOG"}));
    EXPECT_EQ(initParam, 42);
    EXPECT_EQ(initFocus, GetDlgItem(dialog, IDC_DECIDE));
    EXPECT_FALSE(IsWindowVisible(dialog));  // the template is not WS_VISIBLE
    EXPECT_EQ(ClassOf(dialog), "#32770");
    // FALSE from WM_INITDIALOG: the focus stays where it was.
    EXPECT_EQ(GetFocus(), parent_);

    initAnswer = TRUE;  // TRUE: the first tab stop gets it
    HWND deletion = Make(IDD_DELETE);
    ASSERT_NE(deletion, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(deletion, IDC_DECIDE));
}

TEST_F(Dialogs, ControlsStandInTemplateOrderWithTheirIdsAndClasses) {
    HWND regist = Make(IDD_REGIST);
    ASSERT_NE(regist, nullptr);
    std::vector<int> ids = ChildIds(regist);
    ASSERT_EQ(ids.size(), 84u);
    EXPECT_EQ((std::vector<int>(ids.begin(), ids.begin() + 5)),
              (std::vector<int>{IDC_DECIDE, IDC_WORDNAME, IDC_KANA_A, IDC_CONTENT, -1}));
    char text[16];
    EXPECT_EQ(GetWindowTextA(GetDlgItem(regist, IDC_DECIDE), text, sizeof text), 4);
    EXPECT_STREQ(text, "決定");
    EXPECT_EQ(GetDlgCtrlID(GetDlgItem(regist, IDC_KANA_A)), IDC_KANA_A);

    HWND deletion = Make(IDD_DELETE);
    ASSERT_NE(deletion, nullptr);
    EXPECT_EQ(ChildIds(deletion).size(), 80u);
    EXPECT_EQ(GetDlgItem(deletion, IDC_WORDNAME), nullptr);  // not in this template
    EXPECT_EQ(ClassOf(GetDlgItem(regist, IDC_DECIDE)), "Button");
    EXPECT_EQ(ClassOf(GetDlgItem(regist, IDC_WORDNAME)), "Edit");
    EXPECT_EQ(ClassOf(GetDlgItem(deletion, IDC_WORDLIST)), "ListBox");
}

TEST_F(Dialogs, ItemTextGoesThroughTheDialogAndAMissingTemplateMakesNothing) {
    HWND dialog = Make(IDD_REGIST);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(SetDlgItemTextA(dialog, IDC_WORDNAME, "単語"));
    char text[16];
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_WORDNAME, text, sizeof text), 4u);
    EXPECT_STREQ(text, "単語");
    EXPECT_FALSE(SetDlgItemTextA(dialog, 4242, "x"));
    std::strcpy(text, "old");
    EXPECT_EQ(GetDlgItemTextA(dialog, 4242, text, sizeof text), 0u);
    EXPECT_STREQ(text, "");

    // A single-line field announces the program's text to the dialog procedure.
    EXPECT_EQ(Log().Take().back(), "dialog WM_COMMAND 1001 EN_CHANGE");

    Log().Clear();
    EXPECT_EQ(Make(999), nullptr);
    EXPECT_EQ(Log().Take(), Lines{});
}

}  // namespace
