#include <windows.h>

#include "queue/native_wakes.h"

#include <chrono>
#include <thread>

void WINAPI Sleep(DWORD dwMilliseconds) {
    wordoria::platform::NoteLoopSleep();
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
