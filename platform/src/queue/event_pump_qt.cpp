#include "windows/native_window.h"

#include "queue/native_wakes.h"
#include "windows/qt_application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

namespace wordoria::platform {
namespace {

xcb_connection_t* xConnection = nullptr;  // none on other platforms

void StartQt() {
    static bool started = false;  // asked every turn: no call into Qt for it
    if (started) return;
    EnsureQtApplication();
    started = true;
    // Only a glib-based loop can be watched; any other runs a pass every turn.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher != nullptr && dispatcher->inherits("QEventDispatcherGlib")) WatchNativeWakes();
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) xConnection = x11->connection();
}

}  // namespace

void RunNativePass() {
    StartQt();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    NoteNativePass();
}

// Asked on every loop turn: one pass, which delivers posted events as well,
// when anything may have come since the last one.
void PumpNativeEvents(bool programRan) {
    StartQt();
    if (NativePassDue()) {
        RunNativePass();
    } else if (programRan && xConnection != nullptr) {
        // What the program's handlers asked of the X server goes out this
        // turn, as a pass would have sent it.
        xcb_flush(xConnection);
    }
}

void WaitForNativeEvents(int milliseconds) {
    StartQt();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.processEvents(QEventLoop::WaitForMoreEvents);
    NoteNativePass();
}

}  // namespace wordoria::platform
