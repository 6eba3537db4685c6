// The application frame driven turn by turn, as the main loop runs it.
#include <resource.h>

#include "app_fixture.h"

#include <cstdlib>

namespace {

using namespace wordoria::testing;
using wordoria::test::Turns;

HWND Main() { return g_App.m_wnd.m_hWnd; }

class Frame : public ::testing::Test {
protected:
    static void SetUpTestSuite() { wordoria::test::EnsureApplication(); }
    void SetUp() override {
        // Back to view mode with everything painted, whatever the last test left.
        ASSERT_TRUE(wordoria::test::StartAtRest(MODE_VIEW));
    }
    bool Turn(int* exitCode = nullptr) { return wordoria::test::Turn(exitCode); }
    // A quit waiting is left for the test's next turn to find.
    static void Settle() { wordoria::test::Settle(); }
    void Command(UINT id) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static int Count(const WindowCallRecorder& recorder, WindowCall::Kind kind, HWND window = nullptr) {
        int count = 0;
        for (const auto& call : recorder.calls()) count += call.kind == kind && (window == nullptr || call.window == window);
        return count;
    }
    // The part of the main window waiting to be painted, empty if none.
    static RECT Pending() {
        RECT pending{0, 0, 0, 0};
        if (!GetUpdateRect(Main(), &pending, FALSE)) pending = RECT{0, 0, 0, 0};
        return pending;
    }
};

TEST_F(Frame, ClientAreaIsExactly800By600) {
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right - client.left, 800);
    EXPECT_EQ(client.bottom - client.top, 600);
    EXPECT_EQ(g_App.m_wnd.m_pMain, &g_App.m_main);
}

TEST_F(Frame, FirstPaintShowsTheViewWithBothDialogsHidden) {
    EXPECT_EQ(g_App.m_main.m_nMode, MODE_VIEW);
    EXPECT_TRUE(g_App.m_main.m_bShown);
    EXPECT_FALSE(IsWindowVisible(g_App.m_main.m_hDlgRegist));
    EXPECT_FALSE(IsWindowVisible(g_App.m_main.m_hDlgDelete));
    EXPECT_NE(g_App.m_main.m_hDlgRegist, nullptr);
    EXPECT_NE(g_App.m_main.m_hDlgDelete, nullptr);
}

TEST_F(Frame, ChoosingTheCurrentModeAgainChangesNothing) {
    WindowCallRecorder calls;
    Command(IDM_MODE_VIEW);
    Turn();
    Turn();
    EXPECT_EQ(Pending().right, 0);
    EXPECT_EQ(Count(calls, WindowCall::Present), 0);
    EXPECT_TRUE(g_App.m_main.m_bShown);
}

TEST_F(Frame, AnotherModeInvalidatesOnceInTheTurnOfItsCommandAndThePaintShowsTheDialog) {
    WindowCallRecorder calls;
    Command(IDM_MODE_REGIST);
    Turn();  // dispatches the command and adopts the mode
    EXPECT_EQ(calls.calls().size(), 0u);  // nothing painted yet
    RECT pending = Pending();
    EXPECT_EQ(pending.left, 0);
    EXPECT_EQ(pending.top, 0);
    EXPECT_EQ(pending.right, 800);
    EXPECT_EQ(pending.bottom, 600);
    EXPECT_EQ(g_App.m_main.m_nMode, MODE_REGIST);
    EXPECT_FALSE(g_App.m_main.m_bShown);

    calls.clear();
    Turn();  // the paint
    EXPECT_TRUE(g_App.m_main.m_bShown);
    EXPECT_TRUE(IsWindowVisible(g_App.m_main.m_hDlgRegist));
    EXPECT_FALSE(IsWindowVisible(g_App.m_main.m_hDlgDelete));
    // The dialog shown, then the main window's paint on screen: once, whole.
    ASSERT_EQ(calls.calls().size(), 2u);
    EXPECT_EQ(calls.calls()[0].kind, WindowCall::Show);
    EXPECT_EQ(calls.calls()[0].window, g_App.m_main.m_hDlgRegist);
    EXPECT_EQ(calls.calls()[0].value, SW_SHOW);
    EXPECT_EQ(calls.calls()[1].kind, WindowCall::Present);
    EXPECT_EQ(calls.calls()[1].window, Main());
    EXPECT_EQ(calls.calls()[1].rect.right, 800);
    EXPECT_EQ(calls.calls()[1].rect.bottom, 600);
}

TEST_F(Frame, RegistrationToDeletionSwapsTheDialogsInOnePaintAndLaterPaintsTouchNothing) {
    Command(IDM_MODE_REGIST);
    Settle();
    WindowCallRecorder calls;
    Command(IDM_MODE_DELETE);
    Turn();
    calls.clear();
    Turn();
    EXPECT_FALSE(IsWindowVisible(g_App.m_main.m_hDlgRegist));
    EXPECT_TRUE(IsWindowVisible(g_App.m_main.m_hDlgDelete));
    EXPECT_EQ(Count(calls, WindowCall::Show), 2);

    calls.clear();
    InvalidateRect(Main(), nullptr, TRUE);
    calls.clear();
    GdiRecorder drawing;
    Settle();
    EXPECT_EQ(Count(calls, WindowCall::Show), 0);
    EXPECT_EQ(Count(calls, WindowCall::Activate), 0);
    // Nothing drawn but the erase that BeginPaint makes with the class brush.
    for (const GdiCall& call : drawing.calls()) {
        if (call.window != Main()) continue;
        EXPECT_EQ(call.kind, GdiCall::Fill) << call.text;
        EXPECT_EQ(call.rect.right - call.rect.left, 800);
        EXPECT_EQ(call.rect.bottom - call.rect.top, 600);
    }
}

TEST_F(Frame, CloseAsksAndNoLeavesEverything) {
    MessageBoxHook boxes([](const MessageBoxCall&) { return IDNO; });
    Command(IDM_APP_EXIT);
    EXPECT_TRUE(Turn());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].owner, Main());
    EXPECT_EQ(boxes.calls()[0].caption, "確認メッセージ");
    EXPECT_EQ(boxes.calls()[0].text, "アプリケーションを終了します。\n宜しいですか？。");
    EXPECT_EQ(boxes.calls()[0].type, static_cast<UINT>(MB_YESNO));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Turn());
    EXPECT_TRUE(IsWindow(Main()));
}

TEST_F(Frame, CloseBoxAndYesEndWithExitCodeZero) {
    MessageBoxHook boxes;  // answers Yes
    PostMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    int exitCode = -1;
    bool going = true;
    for (int i = 0; i < 5 && going; ++i) going = Turn(&exitCode);
    EXPECT_FALSE(going);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(boxes.calls().size(), 1u);
    // The program ends its loop; it never lets the default handling destroy the window.
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(IsWindowVisible(Main()));
}

// Escape acts only while the main window has the keyboard focus: not while a
// control of a hidden dialog keeps it, as the deletion dialog's first control
// does from start-up on; closing a box activates the main window, which takes it.
TEST_F(Frame, EscapeEndsAtOnceWithoutAskingWhileTheMainWindowHasTheFocus) {
    MessageBoxHook boxes;
    SetFocus(GetDlgItem(g_App.m_main.m_hDlgDelete, IDC_DECIDE));
    InjectKey(Main(), VK_ESCAPE);
    Settle();
    EXPECT_TRUE(Turn());

    Command(IDM_HELP_ABOUT);
    Turn();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(GetFocus(), Main());
    InjectKey(Main(), 'A');  // any other key does nothing
    Settle();
    EXPECT_TRUE(Turn());
    InjectKey(Main(), VK_ESCAPE);
    int exitCode = -1;
    bool going = true;
    for (int i = 0; i < 5 && going; ++i) going = Turn(&exitCode);
    EXPECT_FALSE(going);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(boxes.calls().size(), 1u);
    // The program ends its loop; it never lets the default handling destroy the window.
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(IsWindowVisible(Main()));
}

TEST_F(Frame, AboutBoxNamesTheProductAndVersion) {
    MessageBoxHook boxes;
    Command(IDM_HELP_ABOUT);
    Turn();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, "バージョン情報");
    EXPECT_EQ(boxes.calls()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes.calls()[0].owner, Main());
    const std::string& text = boxes.calls()[0].text;
    EXPECT_EQ(text.rfind("Wordoria  version1.0\n", 0), 0u);
    EXPECT_GT(text.size(), std::string("Wordoria  version1.0\n").size());
    EXPECT_EQ(text.find('\n', 21), std::string::npos);  // two lines
}

TEST_F(Frame, MouseStateFollowsPressesAndReleases) {
    InjectDoubleClick(Main(), 120, 130);
    std::vector<bool> left;
    for (int i = 0; i < 4; ++i) {
        Turn();
        left.push_back(g_MouseState.bLButton);
    }
    EXPECT_EQ(left, (std::vector<bool>{true, false, true, false}));  // two presses, two releases
    EXPECT_EQ(g_MouseState.nX, 120);
    EXPECT_EQ(g_MouseState.nY, 130);

    InjectMousePress(Main(), 300, 310, MouseButton::Right);
    Turn();
    EXPECT_TRUE(g_MouseState.bRButton);
    EXPECT_EQ(g_MouseState.nX, 300);
    EXPECT_EQ(g_MouseState.nY, 310);
    InjectMouseRelease(Main(), 300, 310, MouseButton::Right);
    InjectMouseMove(Main(), 5, 6);
    Turn();
    EXPECT_FALSE(g_MouseState.bRButton);
    EXPECT_EQ(g_MouseState.nX, 300);  // a release keeps the position
    Turn();
    EXPECT_EQ(g_MouseState.nX, 5);
}

// A pointer last seen on a cell in view mode must not keep the dialog that
// covers the view from being painted: Windows paints a parent first.
TEST_F(Frame, ADialogChosenWithThePointerOnACellIsPaintedWhole) {
    InjectMouseMove(Main(), 33, 69);  // the cell ki
    Turns(5);
    ASSERT_EQ(ClientPixel(Main(), 27, 61), RGB(192, 192, 192));
    for (UINT command : {IDM_MODE_REGIST, IDM_MODE_DELETE}) {
        HWND dialog = command == IDM_MODE_REGIST ? g_App.m_main.m_hDlgRegist : g_App.m_main.m_hDlgDelete;
        Command(command);
        Turn();  // the command, and the mode adopted
        WindowCallRecorder calls;
        Turns(10);
        SCOPED_TRACE(command);
        for (const WindowCall& call : calls.calls()) {  // no cell while the dialog covers the view
            if (call.kind != WindowCall::Present || call.window != Main()) continue;
            EXPECT_EQ(call.rect.right - call.rect.left, 800);
            EXPECT_EQ(call.rect.bottom - call.rect.top, 600);
        }
        RECT pending;
        EXPECT_FALSE(GetUpdateRect(Main(), &pending, FALSE));
        EXPECT_FALSE(GetUpdateRect(dialog, &pending, FALSE));
        EXPECT_EQ(ClientPixel(dialog, 790, 590), RGB(240, 240, 240));  // erased in the dialog colour
        EXPECT_EQ(ClientPixel(dialog, 33, 69), RGB(240, 240, 240));     // nothing of the cell shows through
    }
    Command(IDM_MODE_VIEW);
    Turns(5);
    EXPECT_EQ(ClientPixel(Main(), 27, 61), RGB(192, 192, 192));  // back in view mode the cell follows again
    wordoria::test::RestPointer();
}

TEST_F(Frame, ModeChosenWhileABoxIsOpenTakesEffectWhenItCloses) {
    WindowCallRecorder calls;
    int modeDuringBox = -1;
    int invalidationsDuringBox = -1;
    MessageBoxHook boxes([&](const MessageBoxCall&) {
        // The user picks a mode from the menu while the box waits.
        Command(IDM_MODE_DELETE);
        DispatchPending();
        modeDuringBox = g_App.m_main.m_nMode;
        invalidationsDuringBox = Count(calls, WindowCall::Present) + (Pending().right != 0);
        return IDNO;
    });
    Command(IDM_APP_EXIT);
    Turn();
    EXPECT_EQ(g_App.m_wnd.m_nRequestedMode, MODE_DELETE);
    EXPECT_EQ(modeDuringBox, MODE_VIEW);
    EXPECT_EQ(invalidationsDuringBox, 0);
    EXPECT_EQ(g_App.m_main.m_nMode, MODE_DELETE);  // adopted in the rest of that turn
    EXPECT_EQ(Pending().right, 800);
}

TEST_F(Frame, ASecondWindowOfTheClassSaysSoAndIsStillCreated) {
    MessageBoxHook boxes;
    CWindow second(200, 100);
    ASSERT_TRUE(second.m_sub_Create(GetModuleHandleA(nullptr), nullptr, nullptr));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, "登録済み\n");
    EXPECT_EQ(boxes.calls()[0].text, "CWindow::m_sub_RegisterWndClass()");
    EXPECT_EQ(boxes.calls()[0].owner, nullptr);
    EXPECT_TRUE(IsWindow(second.m_hWnd));
    RECT client;
    GetClientRect(second.m_hWnd, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);

    // The object goes now: its window must leave the live-window list first.
    // Its destruction asks to quit, as the main window's would; that is dropped.
    DestroyWindow(second.m_hWnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// In a process of its own, as the program starts: nothing set by a test
// fixture, the loop's first paint draws the view (index panel, help page).
TEST(FrameStartup, TheFirstPaintAfterStartUpDrawsTheView) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [] {
        wordoria::testing::StartTestDriver();
        g_App.m_hInstance = GetModuleHandleA(nullptr);
        g_App.m_nCmdShow = SW_SHOWDEFAULT;
        if (!g_App.m_sub_Init()) std::_Exit(2);
        GdiRecorder drawing;
        bool index = false, help = false;
        for (int turn = 0; turn < 50 && !(index && help); ++turn) {
            wordoria::test::Turn();
            for (const GdiCall& call : drawing.calls()) {
                index |= call.window == Main() && call.text == "索引";
                help |= call.window == Main() && call.text == "Wordoriaの使い方";
            }
        }
        bool shown = g_App.m_main.m_nMode == 0 && g_App.m_main.m_bShown &&
                     !IsWindowVisible(g_App.m_main.m_hDlgRegist) && !IsWindowVisible(g_App.m_main.m_hDlgDelete);
        std::_Exit(index && help && shown ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

// Registers classes until Windows has no class atom left to give, as a
// system whose atom table others filled up.
int FillClassAtoms() {
    WNDCLASSA filler{};
    filler.lpfnWndProc = DefWindowProcA;
    filler.hInstance = GetModuleHandleA(nullptr);
    std::string name;
    for (int i = 0; i <= 0x4000; ++i) {
        name = "Filler" + std::to_string(i);
        filler.lpszClassName = name.c_str();
        if (RegisterClassA(&filler) == 0) return i;
    }
    return -1;
}

// In a process of its own: start-up must fail before any window exists.
TEST(FrameStartup, AFailedClassRegistrationEndsWinMainWithMinusOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto run = [] {
        wordoria::testing::StartTestDriver();
        MessageBoxHook boxes;
        if (FillClassAtoms() <= 0 || GetLastError() != ERROR_NOT_ENOUGH_MEMORY) std::_Exit(2);
        int result = WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW);
        bool ok = result == -1 && boxes.calls().size() == 1 &&
                  boxes.calls()[0].caption == "ウインドウクラス登録に失敗しました。\n" &&
                  boxes.calls()[0].text == "CWindow::m_sub_RegisterWndClass()" && g_App.m_wnd.m_hWnd == nullptr;
        std::_Exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
