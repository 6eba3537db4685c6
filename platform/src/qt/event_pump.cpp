// Qt's loop, a pass at a time; a pass is skipped when the watcher saw
// nothing come.
#include "qt/event_pump.h"

#include "qt/native_wakes.h"
#include "qt/qt_application.h"

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

void RunQtPass() {
    StartQt();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    NoteNativePass();
}

// Asked on every loop turn: one pass, which delivers posted events as well,
// when anything may have come since the last one.
void PumpQtEvents(bool programRan) {
    StartQt();
    if (NativePassDue()) {
        RunQtPass();
    } else if (programRan && xConnection != nullptr) {
        // What the program's handlers asked of the X server goes out this
        // turn, as a pass would have sent it.
        xcb_flush(xConnection);
    }
}

void WaitForQtEvents(int milliseconds) {
    StartQt();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.processEvents(QEventLoop::WaitForMoreEvents);
    NoteNativePass();
}

}  // namespace wordoria::platform
