#include <windows.h>

#include <chrono>
#include <thread>

void WINAPI Sleep(DWORD dwMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

DWORD WINAPI GetTickCount(void) {
    using namespace std::chrono;
    auto since = steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(duration_cast<milliseconds>(since).count());
}
