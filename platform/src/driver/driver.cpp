#include "driver/driver.h"

#include <cstdio>
#include <cstdlib>

namespace wordoria::platform {
namespace {
Driver* installed = nullptr;
}

Driver& TheDriver() {
    if (installed == nullptr) {
        // Only a build without a screen gets here, and it makes no windows.
        std::fputs("wordoria: no window driver installed\n", stderr);
        std::abort();
    }
    return *installed;
}

Driver* InstallDriver(Driver* driver) {
    Driver* previous = installed;
    installed = driver;
    return previous;
}

}  // namespace wordoria::platform
