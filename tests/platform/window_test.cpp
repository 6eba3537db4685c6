// Windows, the queue and the paint cycle, checked against Win32's rules.
#include <windows.h>

#include <platform/testing.h>

#include "qt/native.h"
#include "windows/window.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

namespace {

template <typename Action>
void QTimerShot(Action action) {
    QTimer::singleShot(30, action);
}

// Shows a real box and presses its button once `ready` holds, looking from
// the box's own loop; `ready` gets up to half a minute, as a loaded machine
// may run that loop late.
template <typename Ready>
int RunBoxAnsweredWhen(HWND owner, const char* text, Ready ready) {
    auto* poll = new QTimer;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, ready] {
        if (!ready() && waited.elapsed() < 30000) return;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) box->buttons().front()->click();
        }
        poll->stop();
        poll->deleteLater();
    });
    poll->start(10);
    return MessageBoxA(owner, text, "caption", MB_OK);
}

using wordoria::testing::DispatchPending;

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Seen> seen;
LRESULT createAnswer = 0;
bool paintValidates = true;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.push_back({hwnd, message, wParam, lParam});
    if (message == WM_CREATE) return createAnswer;
    if (message == WM_PAINT && paintValidates) {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_PAINT) return 0;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<UINT> Messages() {
    std::vector<UINT> messages;
    for (const Seen& s : seen) messages.push_back(s.message);
    return messages;
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        wordoria::testing::StartTestDriver();
        static bool registered = false;
        if (!registered) {
            WNDCLASSA windowClass{CS_HREDRAW | CS_VREDRAW, RecordingProc, 0, 0, nullptr, nullptr, nullptr,
                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, "TestWindow"};
            ASSERT_NE(RegisterClassA(&windowClass), 0);
            registered = true;
        }
        seen.clear();
        createAnswer = 0;
        paintValidates = true;
        DispatchPending();
    }
    void TearDown() override {
        for (HWND window : created_) DestroyWindow(window);
        DispatchPending();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    HWND Create(DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, DWORD exStyle = WS_EX_CLIENTEDGE,
                HWND parent = nullptr, HMENU menu = nullptr) {
        HWND window = CreateWindowExA(exStyle, "TestWindow", "title", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, parent, menu, nullptr, nullptr);
        if (window != nullptr) created_.push_back(window);
        return window;
    }
    std::vector<HWND> created_;
};

TEST_F(Windows, CreationSendsWin32sMessagesInOrderAndCanFail) {
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    std::vector<UINT> expected{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE};
    ASSERT_GE(seen.size(), expected.size());
    std::vector<UINT> messages = Messages();
    EXPECT_EQ(std::vector<UINT>(messages.begin(), messages.begin() + 4), expected);
    EXPECT_EQ(seen[0].hwnd, window);  // the first message already carries the handle

    char title[16];
    EXPECT_EQ(GetWindowTextA(window, title, sizeof title), 5);
    EXPECT_STREQ(title, "title");

    seen.clear();
    createAnswer = -1;
    EXPECT_EQ(Create(), nullptr);
    messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(IsWindow(seen.front().hwnd));
}

TEST_F(Windows, ClientAreaComesOutExactWithTheProgramsArithmetic) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(109));
    ASSERT_NE(menu, nullptr);
    HWND window = Create(0x00CA0000, WS_EX_CLIENTEDGE, nullptr, menu);
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    int width = 800 + (frame.right - frame.left) - (client.right - client.left);
    int height = 600 + (frame.bottom - frame.top) - (client.bottom - client.top);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE);
    GetClientRect(window, &client);
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    GetWindowRect(window, &frame);
    EXPECT_GT(frame.bottom - frame.top, 600);  // caption, menu bar and edge lie outside
}

TEST_F(Windows, QueueGivesPostedThenQuitThenInputThenPaint) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    seen.clear();

    InvalidateRect(window, nullptr, TRUE);
    wordoria::testing::InjectMouseMove(window, 10, 20);
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(7);
    PostMessageA(window, WM_USER + 2, 0, 0);

    MSG msg;
    std::vector<UINT> order;
    for (int i = 0; i < 5 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        order.push_back(msg.message);
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(msg.wParam, 7u);
        }
        if (msg.message == WM_MOUSEMOVE) {
            EXPECT_EQ(msg.lParam, MAKELPARAM(10, 20));
        }
        if (msg.message != WM_PAINT) DispatchMessageA(&msg);
    }
    std::vector<UINT> expected{WM_USER + 1, WM_USER + 2, WM_QUIT, WM_MOUSEMOVE, WM_PAINT};
    EXPECT_EQ(order, expected);
    // PM_REMOVE does not remove WM_PAINT: it stays until the region is validated.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Windows, PaintCycleMergesInvalidationsErasesAndClips) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();

    // Whatever was painted before is gone after an erase.
    HDC dc = GetDC(window);
    RECT all{0, 0, 200, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);

    RECT first{0, 0, 10, 10}, second{50, 50, 60, 60};
    InvalidateRect(window, &first, TRUE);
    InvalidateRect(window, &second, FALSE);
    seen.clear();
    paintValidates = false;
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(msg.message, static_cast<UINT>(WM_PAINT));

    PAINTSTRUCT paint;
    dc = BeginPaint(window, &paint);
    EXPECT_EQ(paint.rcPaint.left, 0);
    EXPECT_EQ(paint.rcPaint.top, 0);
    EXPECT_EQ(paint.rcPaint.right, 60);
    EXPECT_EQ(paint.rcPaint.bottom, 60);
    RECT wide{0, 0, 100, 100};
    FillRect(dc, &wide, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    EndPaint(window, &paint);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));  // one paint for both

    using wordoria::testing::ClientPixel;
    EXPECT_EQ(ClientPixel(window, 5, 5), RGB(192, 192, 192));    // inside the first rectangle
    EXPECT_EQ(ClientPixel(window, 55, 55), RGB(192, 192, 192));  // inside the second
    EXPECT_EQ(ClientPixel(window, 30, 30), RGB(0, 0, 0));        // clipped away: the old black stays
}

TEST_F(Windows, EraseFillsWithTheClassBrush) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    HDC dc = GetDC(window);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    InvalidateRect(window, &all, TRUE);
    DispatchPending();
    EXPECT_EQ(wordoria::testing::ClientPixel(window, 20, 20), RGB(255, 255, 255));
}

TEST_F(Windows, HiddenWindowsAreNotPainted) {
    HWND window = Create();
    InvalidateRect(window, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    ShowWindow(window, SW_SHOW);  // showing makes the whole window due for painting
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Windows, LinesLeaveOutTheirEndPointAndTextIsRecorded) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    wordoria::testing::GdiRecorder recorder;
    HDC dc = GetDC(window);
    RECT all{0, 0, 300, 300};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    MoveToEx(dc, 100, 10, nullptr);
    LineTo(dc, 100, 20);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);  // opaque is the default
    SetTextColor(dc, RGB(0, 128, 0));
    TextOutA(dc, 30, 40, "●あ", 4);
    ReleaseDC(window, dc);

    using wordoria::testing::ClientPixel;
    EXPECT_EQ(ClientPixel(window, 100, 10), RGB(0, 0, 0));
    EXPECT_EQ(ClientPixel(window, 100, 19), RGB(0, 0, 0));
    EXPECT_EQ(ClientPixel(window, 100, 20), RGB(255, 255, 255));

    ASSERT_EQ(recorder.calls().size(), 3u);
    const auto& text = recorder.calls()[2];
    EXPECT_EQ(text.kind, wordoria::testing::GdiCall::Text);
    EXPECT_EQ(text.text, "●あ");
    EXPECT_EQ(text.from.x, 30);
    EXPECT_EQ(text.from.y, 40);
    EXPECT_EQ(text.color, RGB(0, 128, 0));
    EXPECT_EQ(text.backMode, TRANSPARENT);
}

TEST_F(Windows, CloseBoxArrivesAsSysCommandAndDefaultDestroys) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    seen.clear();
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    std::vector<UINT> messages = Messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(messages[1], static_cast<UINT>(WM_CLOSE));
    EXPECT_FALSE(IsWindow(window));
}

// What Qt's X platform hands its native event filters when a window is destroyed.
bool DeliverXDestroyNotify(WId id) {
    xcb_destroy_notify_event_t event{};
    event.response_type = XCB_DESTROY_NOTIFY;
    event.event = static_cast<xcb_window_t>(id);
    event.window = static_cast<xcb_window_t>(id);
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
}

// Another X client destroyed the frame (xdotool windowclose): the window is
// destroyed as by DestroyWindow, without asking, whatever turn comes next.
// X windows that are not a live top-level frame of ours change nothing.
TEST_F(Windows, WindowDestroyedOnScreenByAnotherClientIsDestroyed) {
    HWND window = Create();
    HWND child = Create(WS_CHILD | WS_VISIBLE, 0, window);
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    auto* native = wordoria::platform::NativeOf<wordoria::platform::QtNative>(window);
    ASSERT_NE(native, nullptr);
    WId frame = native->Widget()->winId();
    WId childId = wordoria::platform::NativeOf<wordoria::platform::QtNative>(child)->Widget()->winId();

    HWND other = Create();
    ShowWindow(other, SW_SHOW);
    DispatchPending();
    WId otherFrame = wordoria::platform::NativeOf<wordoria::platform::QtNative>(other)->Widget()->winId();
    DestroyWindow(other);
    seen.clear();
    EXPECT_FALSE(DeliverXDestroyNotify(otherFrame));  // destroyed by the program: already done
    EXPECT_FALSE(DeliverXDestroyNotify(childId));     // goes with its frame, never alone
    EXPECT_FALSE(DeliverXDestroyNotify(frame + 1000));
    DispatchPending();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindow(child));

    EXPECT_FALSE(DeliverXDestroyNotify(frame));  // Qt must still see it
    EXPECT_FALSE(DeliverXDestroyNotify(frame));  // told twice, destroyed once
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
    std::vector<std::pair<HWND, UINT>> ends;
    for (const Seen& s : seen) {
        if (s.message == WM_DESTROY || s.message == WM_NCDESTROY || s.message == WM_CLOSE) ends.push_back({s.hwnd, s.message});
    }
    std::vector<std::pair<HWND, UINT>> expected{
        {window, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {window, WM_NCDESTROY}};
    EXPECT_EQ(ends, expected);
}

TEST_F(Windows, MouseInputCarriesClientCoordinatesAndNoCapture) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    seen.clear();
    using namespace wordoria::testing;
    InjectMousePress(window, 15, 25);
    InjectMouseMove(window, 2000, 25);  // off the client area: dropped
    InjectMouseRelease(window, 2000, 25);
    InjectDoubleClick(window, 5, 6);
    DispatchPending();
    std::vector<UINT> mouse;
    for (const Seen& s : seen) {
        if (s.message >= WM_MOUSEFIRST && s.message <= WM_MOUSELAST) mouse.push_back(s.message);
    }
    std::vector<UINT> expected{WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
    EXPECT_EQ(mouse, expected);  // no WM_LBUTTONDBLCLK without CS_DBLCLKS
    EXPECT_EQ(seen[0].lParam, MAKELPARAM(15, 25));
}

// Counts the paints Qt gives a widget: each one is a flush to the X server.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject* target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The hover repaints one cell every loop turn with the same pixels: such a
// repaint has nothing new to show, so nothing goes to the screen.
TEST_F(Windows, ARepaintThatChangesNoPixelShowsNothingAnew) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    auto* native = wordoria::platform::NativeOf<wordoria::platform::QtNative>(window);
    ASSERT_NE(native, nullptr);
    PaintCounter paints(native->Container());
    auto paintText = [window](const char* text) {
        RECT cell{10, 10, 40, 30};
        InvalidateRect(window, &cell, TRUE);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        TextOutA(dc, 10, 10, text, 1);
        EndPaint(window, &paint);
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    };
    paintText("A");
    int afterFirst = paints.count;
    paintText("A");
    paintText("A");
    EXPECT_EQ(paints.count, afterFirst);
    paintText("B");
    EXPECT_GT(paints.count, afterFirst);
    EXPECT_NE(wordoria::testing::ClientPixel(window, 0, 0), COLORREF{0});  // the image itself is kept
}

// The cell under the pointer is drawn again and again, each time the same
// text on the same background: a drawing remembered from an earlier paint
// must give exactly the pixels that drawing it gives, and only inside the clip.
TEST_F(Windows, ARememberedTextDrawingGivesThePixelsDrawingGives) {
    HWND window = Create();
    ShowWindow(window, SW_SHOW);
    DispatchPending();
    auto* native = wordoria::platform::NativeOf<wordoria::platform::QtNative>(window);
    ASSERT_NE(native, nullptr);
    auto* canvas = dynamic_cast<wordoria::platform::CanvasWidget*>(native->Container());
    ASSERT_NE(canvas, nullptr);
    QImage* image = &canvas->Image();
    const RECT cell{20, 20, 70, 45};
    auto paint = [&](const RECT& invalid, int brush, int mode, COLORREF back, const char* text) {
        InvalidateRect(window, &invalid, FALSE);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(brush)));
        SetBkMode(dc, mode);
        SetBkColor(dc, back);
        SetTextColor(dc, RGB(200, 0, 0));
        TextOutA(dc, 22, 22, text, static_cast<int>(std::strlen(text)));
        EndPaint(window, &ps);
        return image->copy(10, 10, 70, 45);
    };
    const char* ki = "\x82\xab\x82\xad";  // きく
    // The background colour of a transparent text changes no pixel but tells
    // drawings apart: a colour drawn with once is drawn, never remembered.
    int fresh = 1;
    auto drawn = [&](int brush) { return paint(cell, brush, TRANSPARENT, RGB(0, 0, fresh++), ki); };
    QImage onGray = drawn(LTGRAY_BRUSH);
    QImage onWhite = drawn(WHITE_BRUSH);
    EXPECT_NE(onGray, onWhite);
    for (int brush : {LTGRAY_BRUSH, WHITE_BRUSH, WHITE_BRUSH, LTGRAY_BRUSH, LTGRAY_BRUSH, WHITE_BRUSH}) {
        EXPECT_EQ(paint(cell, brush, TRANSPARENT, 0, ki), brush == WHITE_BRUSH ? onWhite : onGray);
    }

    // The background colour of an opaque text is part of what it draws.
    QImage onBlue = paint(cell, LTGRAY_BRUSH, OPAQUE, RGB(0, 0, 255), ki);
    QImage onGreen = paint(cell, LTGRAY_BRUSH, OPAQUE, RGB(0, 255, 0), ki);
    EXPECT_NE(onBlue, onGreen);
    EXPECT_EQ(paint(cell, LTGRAY_BRUSH, OPAQUE, RGB(0, 0, 255), ki), onBlue);
    EXPECT_NE(paint(cell, LTGRAY_BRUSH, TRANSPARENT, 0, "\x82\xab"), onGray);  // another text

    // Clipped to the left half, nothing right of it changes.
    paint(cell, WHITE_BRUSH, TRANSPARENT, 0, ki);
    QImage before = image->copy();
    const RECT left{20, 20, 30, 45};
    paint(left, LTGRAY_BRUSH, TRANSPARENT, 0, ki);
    paint(left, LTGRAY_BRUSH, TRANSPARENT, 0, ki);
    EXPECT_EQ(image->copy(30, 0, 200, 100), before.copy(30, 0, 200, 100));
    EXPECT_EQ(image->copy(20, 20, 10, 25), onGray.copy(10, 10, 10, 25));
}

// A turn with nothing new skips Qt's event pass, and missing nothing for it:
// events posted from this thread and from others, and Qt's timers. A turn as
// the program's loop makes it ends in a sleep, during which the layer learns
// of what came; one that follows another at once learns of it at once.
TEST_F(Windows, TurnsWithNothingNewSkipQtsPassYetMissNothing) {
    int passes = 0;
    QObject counter;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, &counter,
                     [&] { ++passes; });
    auto peek = [] {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    };
    // Turns until `done`, for as long as a loaded machine may take.
    auto turnsUntil = [&](const auto& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 30000) {
            Sleep(1);
            peek();
        }
        return done();
    };
    DispatchPending();
    passes = 0;
    for (int i = 0; i < 10; ++i) {
        Sleep(1);
        peek();
    }
    EXPECT_EQ(passes, 0);

    QObject receiver;
    bool atOnce = false;
    QMetaObject::invokeMethod(&receiver, [&] { atOnce = true; }, Qt::QueuedConnection);
    peek();
    EXPECT_TRUE(atOnce);

    bool beforeSleep = false;
    QMetaObject::invokeMethod(&receiver, [&] { beforeSleep = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(turnsUntil([&] { return beforeSleep; }));

    std::atomic<bool> fromThread{false};
    std::thread poster(
        [&] { QMetaObject::invokeMethod(&receiver, [&] { fromThread = true; }, Qt::QueuedConnection); });
    poster.join();
    EXPECT_TRUE(turnsUntil([&] { return fromThread.load(); }));

    // A timer started within a pass, and one started between passes.
    bool withinFired = false;
    bool betweenFired = false;
    QMetaObject::invokeMethod(
        &receiver, [&] { QTimer::singleShot(20, &receiver, [&] { withinFired = true; }); }, Qt::QueuedConnection);
    peek();
    QTimer::singleShot(20, &receiver, [&] { betweenFired = true; });
    EXPECT_TRUE(turnsUntil([&] { return withinFired && betweenFired; }));
}

// The loop takes one message a turn: a burst of moves must not delay a press.
TEST_F(Windows, PendingMovesMergeAsWin32MergesThem) {
    HWND window = Create();
    HWND other = Create();
    ShowWindow(window, SW_SHOW);
    ShowWindow(other, SW_SHOW);
    DispatchPending();
    seen.clear();
    using namespace wordoria::testing;
    for (int i = 0; i < 100; ++i) InjectMouseMove(window, i % 50, 10);
    InjectMousePress(window, 49, 10);
    auto turn = [] {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    };
    auto pressed = [] {
        for (const Seen& s : seen) {
            if (s.message == WM_LBUTTONDOWN) return true;
        }
        return false;
    };
    turn();
    turn();
    EXPECT_TRUE(pressed());
    auto firstMove = std::find_if(seen.begin(), seen.end(), [](const Seen& s) { return s.message == WM_MOUSEMOVE; });
    ASSERT_NE(firstMove, seen.end());
    EXPECT_EQ(firstMove->lParam, MAKELPARAM(49, 10));  // the last position
    InjectMouseRelease(window, 49, 10);
    DispatchPending();

    // Only a move with nothing queued after it takes the next one in.
    seen.clear();
    InjectMouseMove(window, 1, 1);
    InjectMouseMove(other, 2, 2);
    InjectMouseMove(window, 3, 3);
    InjectMousePress(window, 3, 3);
    InjectMouseMove(window, 4, 4);
    InjectMouseMove(window, 5, 5);
    DispatchPending();
    std::vector<std::pair<UINT, LPARAM>> mouse;
    for (const Seen& s : seen) {
        if (s.message >= WM_MOUSEFIRST && s.message <= WM_MOUSELAST) mouse.emplace_back(s.message, s.lParam);
    }
    std::vector<std::pair<UINT, LPARAM>> expected{{WM_MOUSEMOVE, MAKELPARAM(1, 1)},
                                                  {WM_MOUSEMOVE, MAKELPARAM(2, 2)},
                                                  {WM_MOUSEMOVE, MAKELPARAM(3, 3)},
                                                  {WM_LBUTTONDOWN, MAKELPARAM(3, 3)},
                                                  {WM_MOUSEMOVE, MAKELPARAM(5, 5)}};
    EXPECT_EQ(mouse, expected);
    InjectMouseRelease(window, 5, 5);
    DispatchPending();
}

TEST_F(Windows, MessageBoxOwnerIsDisabledWhileOpenAndOtherWindowsStayUsable) {
    HWND owner = Create();
    HWND other = Create();
    ShowWindow(owner, SW_SHOW);
    ShowWindow(other, SW_SHOW);
    DispatchPending();
    seen.clear();

    bool ownerEnabledDuring = true;
    bool otherGotMessage = false;
    int answer = 0;
    QTimerShot([&] {
        ownerEnabledDuring = IsWindowEnabled(owner);
        PostMessageA(other, WM_USER + 5, 0, 0);
    });
    answer = RunBoxAnsweredWhen(owner, "owned", [&] {
        for (const Seen& s : seen) otherGotMessage |= s.hwnd == other && s.message == WM_USER + 5;
        return otherGotMessage;
    });
    EXPECT_EQ(answer, IDOK);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(otherGotMessage);  // the box's loop dispatched it

    bool checked = false;
    QTimerShot([&] {
        ownerEnabledDuring = IsWindowEnabled(owner);
        checked = true;
    });
    RunBoxAnsweredWhen(nullptr, "no owner", [&] { return checked; });
    EXPECT_TRUE(checked);
    EXPECT_TRUE(ownerEnabledDuring);
}

}  // namespace
