#include "permissions.h"

#ifndef _WIN32

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace wordoria::test {

namespace {

const unsigned BYPASSING[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER};

// The raw calls act on the calling thread alone (pid 0), which is the point:
// other threads of the test program keep what they have.
bool GetCapabilities(__user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool SetCapabilities(__user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

PermissionsBindRoot::PermissionsBindRoot() {
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (!GetCapabilities(data)) {
        ADD_FAILURE() << "capget: " << std::strerror(errno);
        return;
    }
    unsigned dropping = 0;
    for (unsigned capability : BYPASSING) {
        __u32& effective = data[CAP_TO_INDEX(capability)].effective;
        if (effective & CAP_TO_MASK(capability)) {
            effective &= ~CAP_TO_MASK(capability);
            dropping |= 1u << capability;
        }
    }
    if (dropping == 0) return;
    // Only the effective set shrinks; the permitted set keeps them to raise again.
    if (!SetCapabilities(data)) {
        ADD_FAILURE() << "capset: " << std::strerror(errno);
        return;
    }
    dropped_ = dropping;
}

PermissionsBindRoot::~PermissionsBindRoot() {
    if (dropped_ == 0) return;
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (!GetCapabilities(data)) {
        ADD_FAILURE() << "capget: " << std::strerror(errno);
        return;
    }
    for (unsigned capability : BYPASSING) {
        if (dropped_ & (1u << capability)) data[CAP_TO_INDEX(capability)].effective |= CAP_TO_MASK(capability);
    }
    if (!SetCapabilities(data)) ADD_FAILURE() << "capset: " << std::strerror(errno);
}

ScopedMode::ScopedMode(const std::string& path, mode_t mode) : path_(path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        ADD_FAILURE() << path << ": " << std::strerror(errno);
        return;
    }
    previous_ = info.st_mode & 07777;
    if (chmod(path.c_str(), mode) != 0) {
        ADD_FAILURE() << path << ": " << std::strerror(errno);
        return;
    }
    changed_ = true;
}

// A file the test has deleted meanwhile has nothing to restore.
ScopedMode::~ScopedMode() {
    if (changed_ && chmod(path_.c_str(), previous_) != 0 && errno != ENOENT)
        ADD_FAILURE() << path_ << ": " << std::strerror(errno);
}

}  // namespace wordoria::test

#endif
