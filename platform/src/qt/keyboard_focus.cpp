// Keys go where Win32 has the keyboard focus, not where Qt has it: to the
// window SetFocus named last, even a hidden one, as Windows delivers them.
// Qt only decides the focus where Win32 would decide it too: a left click on a
// control focuses it, and the desktop bringing the program back activates
// its window for Win32 (whose DefWindowProc then gives it the focus).
#include "qt/native.h"

#include "windows/window.h"
#include "windows/window_internal.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace wordoria::platform {
namespace {

const char* const HANDLE_PROPERTY = "wordoria.hwnd";

HWND TopLevelOf(HWND handle) {
    Window* window = FindWindowObject(handle);
    while (window != nullptr && window->IsChild()) window = FindWindowObject(window->parent);
    return window != nullptr ? window->handle : nullptr;
}

bool IsMenu(const QWidget* widget) {
    return qobject_cast<const QMenuBar*>(widget) != nullptr || qobject_cast<const QMenu*>(widget) != nullptr;
}

class KeyboardFocus : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::ApplicationStateChange) {
            DesktopMoved(static_cast<QApplicationStateChangeEvent*>(event)->applicationState());
            return false;
        }
        if (!object->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(object);
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: return Redirect(widget, event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) ClickFocus(widget);
            return false;
        default: return false;
        }
    }

private:
    // A key that Qt gave to one of our widgets is handed to the Win32 focus
    // window's widget instead; with no focus window it goes nowhere.
    bool Redirect(QWidget* widget, QEvent* event) {
        if (redirecting_ || IsMenu(widget)) return false;
        HWND owner = WindowOfWidget(widget);
        if (owner == nullptr) return false;  // a message box or another widget that is not a window of ours
        HWND focus = GetFocus();
        if (focus == owner) return false;
        QtNative* native = NativeOf<QtNative>(focus);
        QWidget* target = native != nullptr ? native->KeyTarget() : nullptr;
        if (target == nullptr) return true;
        redirecting_ = true;
        QCoreApplication::sendEvent(target, event);
        redirecting_ = false;
        return true;
    }

    // Win32 activates a window that is clicked while inactive; a control then
    // takes the focus itself (buttons, edits, list boxes), while the program's
    // own windows and static texts leave it where it is.
    static void ClickFocus(QWidget* widget) {
        if (IsMenu(widget)) return;
        HWND window = WindowOfWidget(widget);
        if (window == nullptr) return;
        HWND topLevel = TopLevelOf(window);
        if (topLevel != nullptr && GetActiveWindow() != topLevel) Activate(topLevel);
        QtNative* native = NativeOf<QtNative>(window);
        if (native == nullptr || !native->IsControl()) return;
        QWidget* target = native->KeyTarget();
        if (target != nullptr && (target->focusPolicy() & Qt::ClickFocus)) SetFocus(window);
    }

    // The desktop moved the user to another program, or back to ours (Alt+Tab,
    // a click on the title bar). Moves among our own windows are ours to make,
    // so only the program as a whole going and coming counts.
    static void DesktopMoved(Qt::ApplicationState state) {
        if (state == Qt::ApplicationInactive) {
            Deactivate();
            return;
        }
        if (state != Qt::ApplicationActive) return;
        HWND window = WindowOfWidget(QApplication::activeWindow());
        Window* object = FindWindowObject(window);
        if (object == nullptr || object->IsChild()) return;  // say, one of our message boxes
        if (GetActiveWindow() != window) Activate(window);
    }

    bool redirecting_ = false;
};

}  // namespace

void TagWidget(QWidget* widget, HWND window) {
    widget->setProperty(HANDLE_PROPERTY, QVariant::fromValue(reinterpret_cast<quintptr>(window)));
}

HWND WindowOfWidget(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        QVariant tag = widget->property(HANDLE_PROPERTY);
        if (!tag.isValid()) continue;
        auto handle = reinterpret_cast<HWND>(tag.value<quintptr>());
        return IsWindow(handle) ? handle : nullptr;  // a window already destroyed is no one's
    }
    return nullptr;
}

void InstallKeyboardFocus(QApplication& application) {
    static KeyboardFocus filter;
    application.installEventFilter(&filter);
}

}  // namespace wordoria::platform
