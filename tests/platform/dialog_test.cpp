// Dialogs made from the program's templates: creation order, controls,
// dialog units, and a screenshot of each to look at.
#include <windows.h>

#include <platform/testing.h>

#include "dialogs/dialog.h"
#include "driver/driver.h"
#include "dialogs/resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using wordoria::testing::DispatchPending;

std::vector<UINT> dialogMessages;
LPARAM initParam = 0;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    dialogMessages.push_back(message);
    if (message == WM_INITDIALOG) initParam = lParam;
    return FALSE;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        wordoria::testing::StartTestDriver();
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{CS_HREDRAW | CS_VREDRAW, ParentProc, 0, 0, nullptr, nullptr, nullptr,
                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, "DialogParent"};
            ASSERT_NE(RegisterClassA(&windowClass), 0);
            registered = true;
        }
        parent_ = CreateWindowExA(WS_EX_CLIENTEDGE, "DialogParent", "Wordoria", 0x00CA0000, 0, 0, 820, 680, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        ShowWindow(parent_, SW_SHOW);
        dialogMessages.clear();
        initParam = 0;
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DispatchPending();
    }
    HWND parent_ = nullptr;
};

std::vector<int> ChildIds(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        ids.push_back(GetDlgCtrlID(child));
    return ids;
}

TEST_F(Dialogs, TemplatesBecomeHiddenDialogsWithEveryControlInOrder) {
    HWND regist = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(101), parent_, RecordingDialogProc, 42);
    ASSERT_NE(regist, nullptr);
    EXPECT_FALSE(IsWindowVisible(regist));  // the template is not visible
    EXPECT_EQ(initParam, 42);
    ASSERT_FALSE(dialogMessages.empty());
    EXPECT_EQ(dialogMessages.front(), static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(dialogMessages.back(), static_cast<UINT>(WM_INITDIALOG));

    const auto* resource = wordoria::platform::ProgramResources().FindDialog(101);
    ASSERT_NE(resource, nullptr);
    std::vector<int> expected;
    for (const auto& control : resource->controls) expected.push_back(control.id);
    EXPECT_EQ(ChildIds(regist), expected);
    EXPECT_EQ(expected.size(), 84u);

    HWND deletion = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(104), parent_, RecordingDialogProc, 0);
    ASSERT_NE(deletion, nullptr);
    EXPECT_EQ(ChildIds(deletion).size(), 80u);
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(999), parent_, RecordingDialogProc, 0), nullptr);
}

TEST_F(Dialogs, ControlsSitAtTheirDialogUnitsInPixels) {
    const auto* resource = wordoria::platform::ProgramResources().FindDialog(101);
    ASSERT_NE(resource, nullptr);
    wordoria::platform::DialogBaseUnits base =
        wordoria::platform::TheDriver().BaseUnitsOf({resource->fontFace, resource->pointSize, resource->weight, resource->italic});
    wordoria::platform::DialogUnits units{base.averageWidth, base.height};
    // The stand-in for MS UI Gothic 9 pt has its metrics: 6 by 12 pixels.
    EXPECT_EQ(units.baseX, 6);
    EXPECT_EQ(units.baseY, 12);

    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(101), parent_, RecordingDialogProc, 0);
    HWND decide = GetDlgItem(dialog, 1000);
    ASSERT_NE(decide, nullptr);
    RECT dialogRect, decideRect;
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(decide, &decideRect);
    RECT expected = units.ToPixels(343, 151, 90, 57);
    EXPECT_EQ(decideRect.left - dialogRect.left, expected.left);
    EXPECT_EQ(decideRect.top - dialogRect.top, expected.top);
    EXPECT_EQ(decideRect.right - decideRect.left, expected.right - expected.left);
    EXPECT_EQ(decideRect.bottom - decideRect.top, expected.bottom - expected.top);

    char text[8];
    EXPECT_EQ(GetWindowTextA(decide, text, sizeof text), 4);
    EXPECT_STREQ(text, "決定");
}

// Renders both dialogs as the program shows them, over an 800 by 600 client area.
TEST_F(Dialogs, ScreenshotsOfBothTemplates) {
    RECT client, frame;
    GetClientRect(parent_, &client);
    GetWindowRect(parent_, &frame);
    SetWindowPos(parent_, nullptr, 0, 0, 800 + (frame.right - frame.left) - client.right,
                 600 + (frame.bottom - frame.top) - client.bottom, SWP_NOMOVE);
    for (int id : {101, 104}) {
        HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(id), parent_, RecordingDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        MoveWindow(dialog, 0, 0, 800, 600, TRUE);
        ShowWindow(dialog, SW_SHOW);
        DispatchPending();
        // Into the build tree, for a person to look at; never the working folder.
        std::string path = std::string(WORDORIA_TEST_OUTPUT_DIR) + "/dialog" + std::to_string(id) + ".png";
        EXPECT_TRUE(wordoria::testing::SaveClientArea(parent_, path)) << path;
        ShowWindow(dialog, SW_HIDE);
    }
}

}  // namespace
