// Input put in as Qt delivers it, and the screen read back, for tests.
#include <platform/testing.h>

#include "qt/native.h"
#include "windows/window.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace wordoria::testing {
namespace {

using platform::QtNative;

QWidget* ClientWidget(HWND handle) {
    StartTestDriver();
    auto* native = platform::NativeOf<QtNative>(handle);
    return native != nullptr ? native->Container() : nullptr;
}

Qt::MouseButton ToQt(MouseButton button) { return button == MouseButton::Left ? Qt::LeftButton : Qt::RightButton; }

void SendMouse(HWND window, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* widget = ClientWidget(window);
    if (widget == nullptr) return;
    QPointF local(x, y);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

Qt::MouseButtons heldButtons;

}  // namespace

void InjectMouseMove(HWND window, int x, int y) {
    SendMouse(window, QEvent::MouseMove, x, y, Qt::NoButton, heldButtons);
}

void InjectMousePress(HWND window, int x, int y, MouseButton button) {
    heldButtons |= ToQt(button);
    SendMouse(window, QEvent::MouseButtonPress, x, y, ToQt(button), heldButtons);
}

void InjectMouseRelease(HWND window, int x, int y, MouseButton button) {
    heldButtons &= ~ToQt(button);
    SendMouse(window, QEvent::MouseButtonRelease, x, y, ToQt(button), heldButtons);
}

void InjectDoubleClick(HWND window, int x, int y) {
    InjectMousePress(window, x, y);
    InjectMouseRelease(window, x, y);
    heldButtons |= Qt::LeftButton;
    SendMouse(window, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, heldButtons);
    InjectMouseRelease(window, x, y);
}

void InjectKey(HWND window, int virtualKey) {
    QWidget* widget = ClientWidget(window);
    if (widget == nullptr) return;
    int key = 0;
    for (int candidate = 0x01000000; candidate < 0x01001000 && key == 0; ++candidate) {
        if (platform::VirtualKeyOf(candidate) == virtualKey) key = candidate;
    }
    if (key == 0 && ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')))
        key = virtualKey;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

namespace {

QWidget* ControlWidget(HWND handle) {
    StartTestDriver();
    auto* native = platform::NativeOf<QtNative>(handle);
    return native != nullptr ? native->Widget() : nullptr;
}

void SendKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

}  // namespace

void InjectTyping(HWND control, const std::string& ascii) {
    QWidget* widget = ControlWidget(control);
    if (widget == nullptr) return;
    SetFocus(control);  // as the click into the field that comes before typing
    for (char c : ascii) {
        if (c == '\n') {
            SendKey(widget, Qt::Key_Return, QStringLiteral("\r"));
        } else {
            int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : c;
            SendKey(widget, key, QString(QChar(c)));
        }
    }
}

void InjectInputMethodText(HWND control, const std::string& utf8) {
    QWidget* widget = ControlWidget(control);
    if (widget == nullptr) return;
    SetFocus(control);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromStdString(utf8));
    QCoreApplication::sendEvent(widget, &commit);
}

int DispatchPending(int limit) {
    int count = 0;
    MSG msg;
    // Whatever Qt holds is pending too, however little time it had to say so.
    platform::TheDriver().RunPass();
    while (count < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

bool SaveClientArea(HWND window, const std::string& pngPath) {
    QWidget* widget = ClientWidget(window);
    if (widget == nullptr) return false;
    return widget->grab().save(QString::fromStdString(pngPath), "PNG");
}

COLORREF ClientPixel(HWND window, int x, int y) {
    QWidget* widget = ClientWidget(window);
    if (widget == nullptr) return CLR_INVALID;
    QImage image = widget->grab(QRect(x, y, 1, 1)).toImage();
    if (image.isNull()) return CLR_INVALID;
    QColor color = image.pixelColor(0, 0);
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace wordoria::testing
