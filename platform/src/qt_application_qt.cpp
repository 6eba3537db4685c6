#include "qt_application.h"

#include <QApplication>

namespace wordoria::platform {

void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "wordoria";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

}  // namespace wordoria::platform
