#include "native_window.h"

#include "qt_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace wordoria::platform {

void PumpNativeEvents() {
    EnsureQtApplication();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForNativeEvents(int milliseconds) {
    EnsureQtApplication();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace wordoria::platform
