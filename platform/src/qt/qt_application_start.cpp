#include "qt/qt_application.h"

#include "qt/native.h"

#include <QApplication>

namespace wordoria::platform {

void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "wordoria";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down among other static destructors at exit
    // crashes, and the process is ending anyway.
    InstallKeyboardFocus(*new QApplication(argc, argv));
}

}  // namespace wordoria::platform
