#include <windows.h>

#include "driver/driver.h"

#include <chrono>
#include <thread>

void WINAPI Sleep(DWORD dwMilliseconds) {
    wordoria::platform::TheDriver().NoteSleep();
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
