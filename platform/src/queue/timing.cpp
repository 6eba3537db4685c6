#include <windows.h>

#include <chrono>

DWORD WINAPI GetTickCount(void) {
    using namespace std::chrono;
    auto since = steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(duration_cast<milliseconds>(since).count());
}
