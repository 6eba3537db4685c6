// Removing files, making folders and opening streams by Shift-JIS names.
#include <windows.h>

#include <ansi_stdio.h>

#include "base/last_error.h"
#include "files/native_path.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using wordoria::platform::ErrorFromErrno;
using wordoria::platform::NativePath;

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    if (lpFileName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string path = NativePath(lpFileName);
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        // DeleteFile never removes a folder.
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    if (lpPathName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (mkdir(NativePath(lpPathName).c_str(), 0777) != 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    if (lpPathName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (rmdir(NativePath(lpPathName).c_str()) != 0) {
        SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

FILE* ansi_fopen(const char* pszPath, const char* pszMode) {
    if (pszPath == nullptr || pszMode == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    return fopen(NativePath(pszPath).c_str(), pszMode);
}

int ansi_open(const char* pszPath, int nFlags, int nMode) {
    if (pszPath == nullptr) {
        errno = EINVAL;
        return -1;
    }
    return open(NativePath(pszPath).c_str(), nFlags, nMode);
}

int ansi_link_fd(int nFd, const char* pszNewPath) {
    if (pszNewPath == nullptr) {
        errno = EINVAL;
        return -1;
    }
    std::string path = NativePath(pszNewPath);
    // linkat with AT_EMPTY_PATH needs CAP_DAC_READ_SEARCH; the descriptor's
    // /proc link is the way open to every user. Without /proc, the other way.
    char fdLink[64];
    std::snprintf(fdLink, sizeof fdLink, "/proc/self/fd/%d", nFd);
    if (linkat(AT_FDCWD, fdLink, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != ENOENT) return -1;
    return linkat(nFd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH);
}
