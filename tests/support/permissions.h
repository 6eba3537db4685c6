// Permission bits as users meet them, also for tests that run as root.
// Linux only: Windows has no mode bits to speak of.
#pragma once

#ifndef _WIN32

#include <sys/types.h>

#include <string>

namespace wordoria::test {

// While one lives, the calling thread gives up the capabilities that let
// root pass over mode bits (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH,
// CAP_FOWNER), so a folder of mode 0555 refuses root too; they come back
// when it ends. For a user without them it changes nothing.
class PermissionsBindRoot {
public:
    PermissionsBindRoot();
    ~PermissionsBindRoot();
    PermissionsBindRoot(const PermissionsBindRoot&) = delete;
    PermissionsBindRoot& operator=(const PermissionsBindRoot&) = delete;

private:
    unsigned dropped_ = 0;  // mask of the capabilities given up
};

// Gives a file or folder the mode bits `mode` while it lives and puts the
// old ones back afterwards, unless it has gone. The path is a native
// (UTF-8) one.
class ScopedMode {
public:
    ScopedMode(const std::string& path, mode_t mode);
    ~ScopedMode();
    ScopedMode(const ScopedMode&) = delete;
    ScopedMode& operator=(const ScopedMode&) = delete;

private:
    std::string path_;
    mode_t previous_ = 0;
    bool changed_ = false;
};

}  // namespace wordoria::test

#endif
