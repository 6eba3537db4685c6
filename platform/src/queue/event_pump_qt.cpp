#include "windows/native_window.h"

#include "windows/qt_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace wordoria::platform {

// Runs on every loop turn: one pass, which delivers posted events as well.
void PumpNativeEvents() {
    EnsureQtApplication();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForNativeEvents(int milliseconds) {
    EnsureQtApplication();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace wordoria::platform
