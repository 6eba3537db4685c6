// The predefined controls, driven as a user drives them (clicks and keys on
// their widgets) while the queue is turned as the program's loop turns it.
#include <windows.h>

#include <platform/testing.h>

#include "qt/fonts.h"
#include "qt/native.h"
#include "controls/radio_group.h"
#include "windows/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using wordoria::platform::GroupMember;
using wordoria::platform::RadioButtonsToUncheck;

struct Command {
    WORD id;
    WORD code;
    HWND from;
};

std::vector<Command> commands;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND)
        commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Takes and dispatches messages until none is left, as the program's loop does.
void RunQueue() {
    MSG msg;
    for (int turns = 0; turns < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++turns) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

QWidget* WidgetOf(HWND control) {
    auto* native = wordoria::platform::NativeOf<wordoria::platform::QtNative>(control);
    return native != nullptr ? native->Widget() : nullptr;
}

template <typename Widget>
Widget* WidgetAs(HWND control) {
    return dynamic_cast<Widget*>(WidgetOf(control));
}

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string TextOf(HWND window) {
    char buffer[1024];
    int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length));
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wordoria::testing::StartTestDriver();
        static bool registered = false;
        if (!registered) {
            WNDCLASSA parentClass{};
            parentClass.lpfnWndProc = ParentProc;
            parentClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            parentClass.lpszClassName = "ControlsTestParent";
            ASSERT_NE(RegisterClassA(&parentClass), 0);
            registered = true;
        }
        parent_ =
            CreateWindowExA(0, "ControlsTestParent", "controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 40,
                            40, 720, 560, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        ShowWindow(parent_, SW_SHOW);
        RunQueue();
        commands.clear();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        RunQueue();
        commands.clear();
    }

    HWND Make(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
              int id = -1, DWORD exStyle = 0) {
        HWND control =
            CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                            parent_, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
        EXPECT_NE(control, nullptr);
        return control;
    }

    HWND parent_ = nullptr;
};

// ---------------------------------------------------------------------------
// The group rule alone.

GroupMember Radio(bool groupStart = false) { return GroupMember{groupStart, true, true}; }
GroupMember Other(bool groupStart = false) { return GroupMember{groupStart, false, true}; }

TEST(ControlsRadioGroupRule, AGroupRunsFromItsWsGroupMemberToTheNext) {
    // The registration dialog: 決定, あ (group), two statics (group), 72 radios, a group box, a static
    // (group).
    std::vector<GroupMember> dialog{Other(), Radio(true), Other(true), Other(true)};
    for (int i = 0; i < 72; ++i) dialog.push_back(Radio());
    dialog.push_back(Other());
    dialog.push_back(Other(true));

    EXPECT_TRUE(RadioButtonsToUncheck(dialog, 1).empty());
    std::vector<size_t> rest = RadioButtonsToUncheck(dialog, 14);
    ASSERT_EQ(rest.size(), 71u);
    EXPECT_EQ(rest.front(), 4u);
    EXPECT_EQ(rest.back(), 75u);
    EXPECT_EQ(std::count(rest.begin(), rest.end(), 14u), 0);
}

TEST(ControlsRadioGroupRule, WithoutAStartBeforeItTheGroupWrapsAroundFromTheLastStart) {
    // The deletion dialog's shape: あ has no WS_GROUP and only 決定 before it.
    std::vector<GroupMember> dialog{Other(), Radio(), Other(true), Radio(), Radio(), Other(true), Other()};
    EXPECT_TRUE(RadioButtonsToUncheck(dialog, 1).empty());
    // Radios after the last start belong to the group that wraps to the first child.
    std::vector<GroupMember> wrapped{Radio(), Other(true), Radio(true), Radio(), Radio()};
    EXPECT_EQ(RadioButtonsToUncheck(wrapped, 0), (std::vector<size_t>{2, 3, 4}));
    EXPECT_EQ(RadioButtonsToUncheck(wrapped, 3), (std::vector<size_t>{2, 4, 0}));
    // No start anywhere: all siblings are one group.
    std::vector<GroupMember> flat{Radio(), Other(), Radio(), Radio()};
    EXPECT_EQ(RadioButtonsToUncheck(flat, 2), (std::vector<size_t>{3, 0}));
}

TEST(ControlsRadioGroupRule, SkipsHiddenDisabledAndOtherControls) {
    std::vector<GroupMember> group{
        Radio(true), GroupMember{false, true, false}, Other(), Radio(), Other(true), Radio()};
    EXPECT_EQ(RadioButtonsToUncheck(group, 0), (std::vector<size_t>{3}));
    EXPECT_TRUE(RadioButtonsToUncheck(group, 9).empty());
}

// ---------------------------------------------------------------------------
// Buttons.

class ControlsButtons : public ControlsTest {
protected:
    // Shaped like the category part of the registration dialog.
    void MakeCategories() {
        decide_ = Make("BUTTON", "決定", BS_PUSHBUTTON | WS_TABSTOP, 560, 230, 120, 80, 1000);
        a_ = Make("BUTTON", "あ", BS_AUTORADIOBUTTON | WS_GROUP, 20, 70, 30, 14, 1002);
        Make("STATIC", "格納する索引カテゴリを選択してください。", SS_LEFT | WS_GROUP, 20, 15, 260, 14);
        Make("STATIC", "登録する場合は決定ボタンを押して下さい。", SS_LEFT | WS_GROUP, 500, 200, 200, 14);
        for (int i = 0; i < 72; ++i) {
            kana_.push_back(Make("BUTTON", "か", BS_AUTORADIOBUTTON, 60 + (i % 10) * 40, 70 + (i / 10) * 22,
                                 30, 14, 1100 + i));
        }
        groupBox_ = Make("BUTTON", "索引カテゴリ", BS_GROUPBOX, 8, 45, 470, 260);
        Make("STATIC", "辞書登録モード", SS_CENTER | SS_CENTERIMAGE | WS_GROUP, 520, 20, 110, 55, -1,
             WS_EX_STATICEDGE);
        RunQueue();
        commands.clear();
    }
    std::vector<HWND> CheckedKana() const {
        std::vector<HWND> checked;
        for (HWND button : kana_)
            if (Checked(button)) checked.push_back(button);
        return checked;
    }
    void Click(HWND button) {
        QTest::mouseClick(WidgetOf(button), Qt::LeftButton);
        RunQueue();
    }

    HWND decide_ = nullptr;
    HWND a_ = nullptr;
    HWND groupBox_ = nullptr;
    std::vector<HWND> kana_;
};

TEST_F(ControlsButtons, AClickChecksTheRadioAndClearsOnlyTheRestOfItsGroup) {
    MakeCategories();
    Click(kana_[5]);
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[5]});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 1105);
    EXPECT_EQ(commands[0].code, BN_CLICKED);
    EXPECT_EQ(commands[0].from, kana_[5]);

    Click(kana_[40]);
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[40]});

    // あ is a group of its own: it and the other group leave each other alone.
    Click(a_);
    EXPECT_TRUE(Checked(a_));
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[40]});
    Click(kana_[71]);
    EXPECT_TRUE(Checked(a_));
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[71]});

    // Clicking the checked one again keeps it checked and notifies again.
    commands.clear();
    Click(kana_[71]);
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[71]});
    EXPECT_EQ(commands.size(), 1u);
}

TEST_F(ControlsButtons, ClicksReachTheParentWhenTheirMessageIsDispatchedNotWhileQtIsPumped) {
    MakeCategories();
    QWidget* radio = WidgetOf(kana_[3]);
    QPointF at = radio->rect().center();
    QPointF global = radio->mapToGlobal(at);
    QCoreApplication::postEvent(radio, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                       Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(radio, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                       Qt::NoButton, Qt::NoModifier));

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // delivers the Qt events, queues the click
    EXPECT_EQ(msg.hwnd, kana_[3]);
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(Checked(kana_[3]));
    DispatchMessageA(&msg);
    EXPECT_TRUE(Checked(kana_[3]));
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].from, kana_[3]);

    // The program's own BM_CLICK acts at once.
    commands.clear();
    SendMessageA(kana_[4], BM_CLICK, 0, 0);
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[4]});
    EXPECT_EQ(commands.size(), 1u);
}

TEST_F(ControlsButtons, SetCheckChangesOnlyThatButtonAndNotifiesNobody) {
    MakeCategories();
    SendMessageA(kana_[2], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(kana_[9], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(a_, BM_SETCHECK, BST_CHECKED, 0);
    RunQueue();
    EXPECT_EQ(CheckedKana(), (std::vector<HWND>{kana_[2], kana_[9]}));
    EXPECT_TRUE(Checked(a_));
    SendMessageA(kana_[2], BM_SETCHECK, BST_UNCHECKED, 0);
    RunQueue();
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[9]});
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(SendMessageA(decide_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ControlsButtons, HiddenAndDisabledRadiosKeepTheirCheck) {
    MakeCategories();
    for (int i : {10, 11, 12}) SendMessageA(kana_[i], BM_SETCHECK, BST_CHECKED, 0);
    ShowWindow(kana_[10], SW_HIDE);
    EnableWindow(kana_[11], FALSE);
    Click(kana_[0]);
    EXPECT_EQ(CheckedKana(), (std::vector<HWND>{kana_[0], kana_[10], kana_[11]}));
}

TEST_F(ControlsButtons, SpaceOnAFocusedButtonClicksIt) {
    MakeCategories();
    QWidget* radio = WidgetOf(kana_[8]);
    SetFocus(kana_[8]);
    QTest::keyClick(radio, Qt::Key_Space);
    RunQueue();
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[8]});
    QWidget* push = WidgetOf(decide_);
    SetFocus(decide_);
    QTest::keyClick(push, Qt::Key_Space);
    RunQueue();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].id, 1000);
    EXPECT_EQ(commands[1].code, BN_CLICKED);
    EXPECT_EQ(commands[1].from, decide_);
    EXPECT_FALSE(Checked(decide_));
}

TEST_F(ControlsButtons, AGroupBoxMadeAfterItsRadiosLiesBelowThemAndTakesNoClicks) {
    MakeCategories();
    QWidget* box = WidgetOf(groupBox_);
    QWidget* container = box->parentWidget();
    for (HWND button : kana_)
        EXPECT_LT(container->children().indexOf(box), container->children().indexOf(WidgetOf(button)));

    // Clicks go through the window, as the user's do, so Qt picks the receiver.
    QWidget* radio = WidgetOf(kana_[15]);
    QWidget* top = radio->window();
    QPoint onRadio = radio->mapTo(top, radio->rect().center());
    EXPECT_EQ(top->childAt(onRadio), radio);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, onRadio);
    RunQueue();
    EXPECT_EQ(CheckedKana(), std::vector<HWND>{kana_[15]});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].from, kana_[15]);

    // Inside the box but on no radio: nothing is clicked.
    commands.clear();
    QPoint onBoxOnly = box->mapTo(top, QPoint(box->width() - 10, box->height() - 10));
    EXPECT_NE(top->childAt(onBoxOnly), box);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, onBoxOnly);
    RunQueue();
    EXPECT_TRUE(commands.empty());
}

TEST_F(ControlsButtons, TextAndStateFollowTheWindow) {
    MakeCategories();
    auto* push = WidgetAs<QAbstractButton>(decide_);
    ASSERT_NE(push, nullptr);
    EXPECT_EQ(push->text(), QString::fromUtf8(u8"決定"));
    SetWindowTextA(decide_, "登録");
    EXPECT_EQ(push->text(), QString::fromUtf8(u8"登録"));
    EXPECT_EQ(TextOf(decide_), "登録");
    EXPECT_TRUE(push->isVisible());
    ShowWindow(decide_, SW_HIDE);
    EXPECT_FALSE(push->isVisible());
    EnableWindow(a_, FALSE);
    EXPECT_FALSE(WidgetOf(a_)->isEnabled());
    RECT rect;
    GetWindowRect(decide_, &rect);
    EXPECT_EQ(push->geometry().size(), QSize(rect.right - rect.left, rect.bottom - rect.top));

    QFont dialogFont = wordoria::platform::DialogFont(QStringLiteral("MS UI Gothic"), 9, 400, false);
    HFONT font = wordoria::platform::RegisterFont(dialogFont);
    SendMessageA(decide_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(push->font(), dialogFont);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(decide_, WM_GETFONT, 0, 0)), font);
}

// ---------------------------------------------------------------------------
// Edits.

class ControlsEdit : public ControlsTest {
protected:
    std::vector<WORD> CodesFrom(HWND edit) const {
        std::vector<WORD> codes;
        for (const Command& command : commands)
            if (command.from == edit) codes.push_back(command.code);
        return codes;
    }
};

TEST_F(ControlsEdit, GetWindowTextCopiesWholeCharactersOnly) {
    HWND edit = Make("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 20, 20, 200, 24, 1001);
    SetWindowTextA(edit, "あいう");
    EXPECT_EQ(WidgetAs<QLineEdit>(edit)->text(), QString::fromUtf8(u8"あいう"));
    EXPECT_EQ(GetWindowTextLengthA(edit), 6);
    char buffer[16];
    EXPECT_EQ(GetWindowTextA(edit, buffer, 4), 2);
    EXPECT_EQ(std::string(buffer), "あ");
    EXPECT_EQ(GetWindowTextA(edit, buffer, 5), 4);
    EXPECT_EQ(std::string(buffer), "あい");
    EXPECT_EQ(GetWindowTextA(edit, buffer, 7), 6);
    EXPECT_EQ(std::string(buffer), "あいう");
}

TEST_F(ControlsEdit, TextTheUserEntersIsReadBackAsShiftJisAndReportedWhenDispatched) {
    HWND edit = Make("EDIT", "", WS_BORDER, 20, 20, 200, 24, 1001);
    auto* line = WidgetAs<QLineEdit>(edit);
    ASSERT_NE(line, nullptr);
    SetFocus(edit);
    EXPECT_TRUE(line->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8(u8"かきく"));
    QApplication::sendEvent(line, &composed);
    QTest::keyClicks(line, "ab");
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(TextOf(edit), "かきくab");
    RunQueue();
    std::vector<WORD> codes = CodesFrom(edit);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), EN_CHANGE);
    EXPECT_EQ(commands.back().id, 1001);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_CHANGE), 3);

    // The program's text: a single line reports it at once, a multi-line edit does not.
    commands.clear();
    SetWindowTextA(edit, "x");
    EXPECT_EQ(CodesFrom(edit), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    HWND multi = Make("EDIT", "", WS_BORDER | ES_MULTILINE, 20, 60, 200, 60, 1003);
    SetWindowTextA(multi, "y");
    RunQueue();
    EXPECT_TRUE(CodesFrom(multi).empty());
}

// Keys follow the Win32 focus, not Qt's: a hidden window keeps it unless it
// had it itself; clicks on controls move it, clicks elsewhere do not; a
// message box takes it, and the window active before gets it back.
TEST_F(ControlsEdit, KeysGoWhereWin32HasTheFocus) {
    HWND first = Make("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 20, 20, 200, 24, 1001);
    HWND second = Make("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 20, 60, 200, 24, 1002);
    HWND label = Make("STATIC", "label", SS_LEFT, 20, 100, 200, 24, 1003);
    HWND pane = CreateWindowExA(0, "ControlsTestParent", "", WS_CHILD | WS_VISIBLE, 300, 20, 300, 200, parent_,
                                nullptr, nullptr, nullptr);
    HWND inPane = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 200,
                                  24, pane, reinterpret_cast<HMENU>(1004), nullptr, nullptr);
    ASSERT_NE(inPane, nullptr);

    SetFocus(first);
    QTest::keyClicks(WidgetOf(second), "ab");
    EXPECT_EQ(TextOf(first), "ab");
    EXPECT_EQ(TextOf(second), "");

    SetFocus(inPane);
    ShowWindow(pane, SW_HIDE);
    EXPECT_EQ(GetFocus(), inPane);
    QTest::keyClicks(WidgetOf(second), "c");
    EXPECT_EQ(TextOf(inPane), "c");
    ShowWindow(pane, SW_SHOW);
    ShowWindow(inPane, SW_HIDE);
    EXPECT_EQ(GetFocus(), pane);

    QTest::mouseClick(WidgetOf(second), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(GetFocus(), second);
    QTest::mouseClick(WidgetOf(label), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(WidgetOf(parent_), Qt::LeftButton, Qt::NoModifier, QPoint(250, 400));
    EXPECT_EQ(GetFocus(), second);

    ASSERT_EQ(GetActiveWindow(), parent_);
    HWND focusDuringBox = second, activeDuringBox = nullptr;
    wordoria::testing::MessageBoxHook boxes([&](const wordoria::testing::MessageBoxCall&) {
        focusDuringBox = GetFocus();
        activeDuringBox = GetActiveWindow();
        return IDOK;
    });
    MessageBoxA(nullptr, "text", "caption", MB_OK);
    // The box is the active window of its own, with the keyboard focus.
    EXPECT_NE(activeDuringBox, parent_);
    EXPECT_NE(activeDuringBox, nullptr);
    EXPECT_EQ(focusDuringBox, activeDuringBox);
    EXPECT_EQ(GetFocus(), parent_);
    EXPECT_EQ(GetActiveWindow(), parent_);
    QTest::keyClicks(WidgetOf(second), "d");
    EXPECT_EQ(TextOf(second), "");

    // The desktop taking the user to another program and back.
    SetFocus(second);
    QApplicationStateChangeEvent away(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &away);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    WidgetOf(parent_)->activateWindow();
    QApplication::processEvents();
    QApplicationStateChangeEvent back(Qt::ApplicationActive);
    QCoreApplication::sendEvent(qApp, &back);
    EXPECT_EQ(GetActiveWindow(), parent_);
    EXPECT_EQ(GetFocus(), parent_);
}

TEST_F(ControlsEdit, ASingleLineWithoutAutoScrollTakesOnlyWhatFitsItsWidth) {
    HWND edit = Make("EDIT", "", WS_BORDER, 20, 20, 120, 24, 1001);
    auto* line = WidgetAs<QLineEdit>(edit);
    SetFocus(edit);
    QFontMetrics metrics(line->font());
    // Where the cursor shows; the line edit decides its scrolling when it paints.
    auto cursorX = [&] {
        line->repaint();
        return line->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    };

    QTest::keyClicks(line, "W");
    int oneX = cursorX();
    QTest::keyClicks(line, QString(39, QLatin1Char('W')));
    QString typed = line->text();
    EXPECT_GT(typed.size(), 3);
    EXPECT_LT(typed.size(), 40);
    // Nothing scrolled: the cursor stands right after all the text...
    EXPECT_NEAR(cursorX() - oneX, metrics.horizontalAdvance(typed) - metrics.horizontalAdvance("W"), 1);
    // ...and the line is full: another W would not show.
    EXPECT_GT(cursorX() + metrics.horizontalAdvance("W"), line->width() - 4);
    RunQueue();
    EXPECT_EQ(CodesFrom(edit).back(), EN_MAXTEXT);

    // A paste is cut at the same place.
    SetWindowTextA(edit, "");
    QGuiApplication::clipboard()->setText(QString(40, QLatin1Char('W')));
    QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(line->text(), typed);
    // So is what an input method commits.
    SetWindowTextA(edit, "");
    QInputMethodEvent composed;
    composed.setCommitString(QString(40, QLatin1Char('W')));
    QApplication::sendEvent(line, &composed);
    EXPECT_EQ(line->text(), typed);
    RunQueue();

    // The program's long text stays whole, and then nothing more goes in.
    std::string longText(60, 'W');
    SetWindowTextA(edit, longText.c_str());
    EXPECT_EQ(TextOf(edit), longText);
    commands.clear();
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, "X");
    EXPECT_EQ(TextOf(edit), longText);
    RunQueue();
    EXPECT_EQ(CodesFrom(edit), std::vector<WORD>{EN_MAXTEXT});

    // With ES_AUTOHSCROLL the line scrolls and takes everything.
    HWND scrolling = Make("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 20, 60, 120, 24, 1002);
    SetFocus(scrolling);
    QTest::keyClicks(WidgetOf(scrolling), QString(40, QLatin1Char('W')));
    EXPECT_EQ(TextOf(scrolling), std::string(40, 'W'));
}

class ControlsMultiLineEdit : public ControlsEdit {
protected:
    // A multi-line edit without ES_AUTOVSCROLL whose client area holds three and a half lines.
    void MakeThreeLineEdit(DWORD style = 0) {
        edit_ = Make("EDIT", "", WS_BORDER | ES_MULTILINE | style, 20, 60, 200, 40, 1003);
        text_ = WidgetAs<QPlainTextEdit>(edit_);
        ASSERT_NE(text_, nullptr);
        int lineHeight = QFontMetrics(text_->font()).lineSpacing();
        MoveWindow(edit_, 20, 60, 200, 2 + 3 * lineHeight + lineHeight / 2, TRUE);
        SetFocus(edit_);
    }
    void Type(const QString& keys) { QTest::keyClicks(text_, keys); }
    void Enter() { QTest::keyClick(text_, Qt::Key_Return); }
    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(text_, Qt::Key_V, Qt::ControlModifier);
    }

    HWND edit_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};

TEST_F(ControlsMultiLineEdit, RefusesWholeAnyInsertThatNeedsMoreLinesThanItShows) {
    MakeThreeLineEdit();
    Type("a");
    Enter();
    Type("b");
    EXPECT_EQ(TextOf(edit_), "a\r\nb");
    Enter();
    Type("c");
    Enter();  // a fourth line: refused
    EXPECT_EQ(TextOf(edit_), "a\r\nb\r\nc");
    Type("d");  // the third line has room
    EXPECT_EQ(TextOf(edit_), "a\r\nb\r\ncd");
    Paste("x\ny");
    EXPECT_EQ(TextOf(edit_), "a\r\nb\r\ncd");
    RunQueue();
    EXPECT_EQ(CodesFrom(edit_).back(), EN_MAXTEXT);

    SetWindowTextA(edit_, "a");
    QTest::keyClick(text_, Qt::Key_End);
    Paste("x\r\ny");
    EXPECT_EQ(TextOf(edit_), "ax\r\ny");

    // The program's text is never cut.
    SetWindowTextA(edit_, "1\r\n2\r\n3\r\n4\r\n5\r\n6");
    EXPECT_EQ(TextOf(edit_), "1\r\n2\r\n3\r\n4\r\n5\r\n6");
    EXPECT_EQ(text_->toPlainText(), QStringLiteral("1\n2\n3\n4\n5\n6"));
}

TEST_F(ControlsMultiLineEdit, WrapsAtItsWidthEvenInsideAWordAndShowsEveryLineItTook) {
    MakeThreeLineEdit();
    Type(QString(200, QLatin1Char('W')));
    std::string taken = TextOf(edit_);
    int perLine = text_->viewport()->width() / QFontMetrics(text_->font()).horizontalAdvance("W");
    EXPECT_GT(static_cast<int>(taken.size()), 2 * perLine);
    EXPECT_LT(taken.size(), 200u);
    EXPECT_EQ(taken.find('\r'), std::string::npos);
    QTextBlock block = text_->document()->firstBlock();
    EXPECT_EQ(block.layout()->lineCount(), 3);
    // Nothing scrolled out of sight.
    EXPECT_EQ(text_->verticalScrollBar()->value(), 0);
    EXPECT_LE(text_->cursorRect().bottom(), text_->viewport()->height());
}

TEST_F(ControlsMultiLineEdit, InputMethodTextCountsAsTypedText) {
    MakeThreeLineEdit();
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8(u8"あいう"));
    QApplication::sendEvent(text_, &composed);
    EXPECT_EQ(TextOf(edit_), "あいう");
    Enter();
    Enter();
    QInputMethodEvent tooMuch;
    tooMuch.setCommitString(QString(200, QChar(0x3042)));
    QApplication::sendEvent(text_, &tooMuch);
    EXPECT_EQ(TextOf(edit_), "あいう\r\n\r\n");
}

TEST_F(ControlsMultiLineEdit, AnUndoThatWouldNeedMoreLinesIsTakenBack) {
    MakeThreeLineEdit();
    Type("a");
    Enter();
    Type("b");
    Enter();
    Type("c");
    // Two lines high now: the undo that brings three lines back cannot show them.
    int lineHeight = QFontMetrics(text_->font()).lineSpacing();
    MoveWindow(edit_, 20, 60, 200, 2 + 2 * lineHeight + lineHeight / 2, TRUE);
    text_->selectAll();
    QTest::keyClick(text_, Qt::Key_Delete);
    EXPECT_EQ(TextOf(edit_), "");
    QTest::keyClick(text_, Qt::Key_Z, Qt::ControlModifier);
    RunQueue();
    EXPECT_EQ(TextOf(edit_), "");
    EXPECT_EQ(CodesFrom(edit_).back(), EN_MAXTEXT);
}

// Win32's edit keys and menu, not Qt's: no Ctrl+A or redo; a Japanese menu
// whose items are enabled as Win32 enables them; tabs every 32 dialog units.
TEST_F(ControlsMultiLineEdit, EditsKeepWin32sKeysMenuAndTabStops) {
    MakeThreeLineEdit();
    Type("ab");
    QTest::keyClick(text_, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(text_->textCursor().hasSelection());
    QTest::keyClick(text_, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(text_, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(TextOf(edit_), "");
    Type("a");

    QStringList seen;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        QAction* selectAll = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            seen << action->text() + (action->isEnabled() ? "+" : "-");
            selectAll = action;
        }
        menu->setActiveAction(selectAll);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    SetFocus(parent_);
    QGuiApplication::clipboard()->setText("x");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), text_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(text_->viewport(), &request);
    EXPECT_EQ(seen, (QStringList{u"元に戻す(&U)+"_qs, u"切り取り(&T)-"_qs, u"コピー(&C)-"_qs,
                                 u"貼り付け(&P)+"_qs, u"削除(&D)-"_qs, u"すべて選択(&A)+"_qs}));
    EXPECT_EQ(text_->textCursor().selectedText(), "a");
    EXPECT_EQ(GetFocus(), edit_);

    HFONT dialogFont = wordoria::platform::RegisterFont(
        wordoria::platform::DialogFont(QStringLiteral("MS UI Gothic"), 9, 400, false));
    SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    EXPECT_EQ(text_->tabStopDistance(), 48);
}

TEST_F(ControlsMultiLineEdit, WithAutoVScrollItTakesEverything) {
    MakeThreeLineEdit(ES_AUTOVSCROLL);
    for (int i = 0; i < 5; ++i) {
        Type("z");
        Enter();
    }
    EXPECT_EQ(TextOf(edit_), "z\r\nz\r\nz\r\nz\r\nz\r\n");
}

// ---------------------------------------------------------------------------
// Statics.

// Where the dark (text) pixels of a widget's picture lie.
QRect Ink(QWidget* widget) {
    QImage image = widget->grab().toImage();
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128 && qGray(pixel) < 100) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

class ControlsStatic : public ControlsTest {};

TEST_F(ControlsStatic, AlignsItsTextAsItsStyleSays) {
    QRect left = Ink(WidgetOf(Make("STATIC", "ABC", SS_LEFT, 10, 10, 200, 40)));
    QRect center = Ink(WidgetOf(Make("STATIC", "ABC", SS_CENTER, 10, 60, 200, 40)));
    QRect right = Ink(WidgetOf(Make("STATIC", "ABC", SS_RIGHT, 10, 110, 200, 40)));
    QRect middle = Ink(WidgetOf(Make("STATIC", "ABC", SS_CENTER | SS_CENTERIMAGE, 10, 160, 200, 40)));
    EXPECT_LE(left.left(), 2);
    EXPECT_LE(left.top(), 6);
    EXPECT_NEAR(center.center().x(), 100, 3);
    EXPECT_GE(right.right(), 196);
    EXPECT_NEAR(middle.center().y(), 20, 3);
    EXPECT_NEAR(middle.center().x(), 100, 3);
}

TEST_F(ControlsStatic, WrapsLeftAndCentredTextButNotASingleLineStyle) {
    const char* text = "あいうえおかきくけこさしすせそ";
    QRect wrapped = Ink(WidgetOf(Make("STATIC", text, SS_LEFT, 10, 10, 100, 80)));
    QRect centred = Ink(WidgetOf(Make("STATIC", text, SS_CENTER, 120, 10, 100, 80)));
    QRect oneLine = Ink(WidgetOf(Make("STATIC", text, SS_LEFTNOWORDWRAP, 230, 10, 100, 80)));
    QRect centreImage = Ink(WidgetOf(Make("STATIC", text, SS_LEFT | SS_CENTERIMAGE, 340, 10, 100, 80)));
    int lineHeight = QFontMetrics(wordoria::platform::SystemFont()).height();
    EXPECT_GT(wrapped.height(), 2 * lineHeight);
    EXPECT_GT(centred.height(), 2 * lineHeight);
    EXPECT_LE(oneLine.height(), lineHeight);
    EXPECT_LE(centreImage.height(), lineHeight);
}

TEST_F(ControlsStatic, AStaticEdgeSurroundsTheClientAreaAndTheTextStartsInside) {
    HWND label = Make("STATIC", "A", SS_LEFT, 10, 10, 100, 30, -1, WS_EX_STATICEDGE);
    RECT client;
    GetClientRect(label, &client);
    EXPECT_EQ(client.right, 98);
    EXPECT_EQ(client.bottom, 28);
    QImage image = WidgetOf(label)->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(0, 15)), QColor(160, 160, 160));   // the edge's shadow, left
    EXPECT_EQ(QColor(image.pixel(99, 15)), QColor(Qt::white));      // its highlight, right
    EXPECT_NE(QColor(image.pixel(50, 20)), QColor(160, 160, 160));  // no edge inside
    EXPECT_GE(Ink(WidgetOf(label)).left(), 1);
}

TEST_F(ControlsStatic, TakesNoInputAndShowsTheProgramsText) {
    HWND label = Make("STATIC", "A", SS_LEFT, 10, 10, 200, 30);
    QWidget* widget = WidgetOf(label);
    EXPECT_TRUE(widget->testAttribute(Qt::WA_TransparentForMouseEvents));
    int narrow = Ink(widget).width();
    SetWindowTextA(label, "AAAA");
    EXPECT_GT(Ink(widget).width(), 3 * narrow);
    EXPECT_EQ(TextOf(label), "AAAA");
}

// ---------------------------------------------------------------------------
// List boxes.

class ControlsListBox : public ControlsTest {
protected:
    HWND MakeList(DWORD style = LBS_NOTIFY) {
        HWND list = Make("LISTBOX", "", style | WS_BORDER | WS_VSCROLL, 20, 20, 240, 160, 1008);
        list_ = WidgetAs<QListWidget>(list);
        return list;
    }
    QPoint ItemCentre(int row) const { return list_->visualItemRect(list_->item(row)).center(); }
    std::string ItemText(HWND list, int index) const {
        char buffer[256];
        LRESULT length = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer));
        return length == LB_ERR ? std::string("<error>") : std::string(buffer, static_cast<size_t>(length));
    }
    QListWidget* list_ = nullptr;
};

TEST_F(ControlsListBox, AddsInOrderAndHandsBackTheBytes) {
    HWND list = MakeList();
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("いろは")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ABC")), 1);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("あ")), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 6);
    EXPECT_EQ(ItemText(list, 0), "いろは");
    EXPECT_EQ(ItemText(list, 2), "あ");
    EXPECT_EQ(ItemText(list, 3), "<error>");
    EXPECT_EQ(list_->item(0)->text(), QString::fromUtf8(u8"いろは"));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("x")), 1);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("y")), 4);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("z")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 4);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(ItemText(list, 0), "x");
    EXPECT_EQ(ItemText(list, 3), "y");
}

TEST_F(ControlsListBox, SortsOnlyWithLbsSort) {
    HWND sorted = MakeList(LBS_SORT);
    EXPECT_EQ(SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 0);
    EXPECT_EQ(SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a")), 0);
    EXPECT_EQ(SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C")), 2);
    EXPECT_EQ(ItemText(sorted, 1), "b");
    HWND plain = MakeList();
    SendMessageA(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b"));
    EXPECT_EQ(SendMessageA(plain, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a")), 1);
}

TEST_F(ControlsListBox, TheUsersSelectionIsReportedWhenDispatchedTheProgramsNever) {
    HWND list = MakeList();
    for (const char* name : {"one", "two", "three"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, ItemCentre(1));
    EXPECT_TRUE(commands.empty());
    RunQueue();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, 1008);
    EXPECT_EQ(commands[0].code, LBN_SELCHANGE);
    EXPECT_EQ(commands[0].from, list);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);

    commands.clear();
    QTest::keyClick(list_, Qt::Key_Down);
    RunQueue();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].code, LBN_SELCHANGE);

    // A double click as Qt delivers it: press, release, double click, release.
    commands.clear();
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, ItemCentre(0));
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, ItemCentre(0));
    QTest::mouseRelease(list_->viewport(), Qt::LeftButton, Qt::NoModifier, ItemCentre(0));
    RunQueue();
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].code, LBN_SELCHANGE);
    EXPECT_EQ(commands[1].code, LBN_DBLCLK);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    commands.clear();
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    RunQueue();
    EXPECT_TRUE(commands.empty());
}

TEST_F(ControlsListBox, WithoutLbsNotifyTheParentHearsNothing) {
    HWND list = MakeList(0);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, Qt::NoModifier, ItemCentre(0));
    RunQueue();
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(ControlsListBox, ResetContentLeavesNothingSelected) {
    HWND list = MakeList();
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    // Refilled, still nothing is selected until someone selects.
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("three"));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

}  // namespace
