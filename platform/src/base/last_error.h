#pragma once

#include <windows.h>

namespace wordoria::platform {

// The Win32 error code closest to a POSIX errno value.
DWORD ErrorFromErrno(int error);

}  // namespace wordoria::platform
