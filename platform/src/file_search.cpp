// FindFirstFileA, FindNextFileA and FindClose over POSIX directories.
// Names go out in Shift-JIS; patterns match as Win32's do: '*' and '?',
// ASCII letters in either case, and a trailing ".*" that also matches
// names without a dot ("*.*" matches every name).
#include <windows.h>

#include "file_search_match.h"
#include "last_error.h"
#include "native_path.h"
#include "text_encoding.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace wordoria::platform {
namespace {

struct FileSearch {
    DIR* dir = nullptr;   // none for a search by exact name: it finds one entry
    std::string pattern;  // Shift-JIS, last path component
    ~FileSearch() {
        if (dir != nullptr) closedir(dir);
    }
};

// Handles handed out and not yet closed, so a stale one is refused, not followed.
std::mutex liveMutex;
std::unordered_set<FileSearch*> liveSearches;

HANDLE Register(FileSearch* search) {
    std::lock_guard<std::mutex> lock(liveMutex);
    liveSearches.insert(search);
    return search;
}

FileSearch* Lookup(HANDLE handle) {
    std::lock_guard<std::mutex> lock(liveMutex);
    auto found = liveSearches.find(static_cast<FileSearch*>(handle));
    return found == liveSearches.end() ? nullptr : *found;
}

FILETIME ToFileTime(const struct timespec& time) {
    // 100-nanosecond intervals since 1601-01-01.
    const uint64_t secondsFrom1601 = 11644473600ULL;
    uint64_t ticks = (static_cast<uint64_t>(time.tv_sec) + secondsFrom1601) * 10000000ULL +
                     static_cast<uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void Fill(WIN32_FIND_DATAA* data, const std::string& ansiName, const struct stat& info) {
    std::memset(data, 0, sizeof *data);
    if (S_ISDIR(info.st_mode)) {
        data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        data->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
        data->nFileSizeLow = static_cast<DWORD>(info.st_size);
        data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
    }
    if ((info.st_mode & S_IWUSR) == 0) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (ansiName[0] == '.' && ansiName != "." && ansiName != "..")
        data->dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    data->ftCreationTime = ToFileTime(info.st_ctim);
    data->ftLastAccessTime = ToFileTime(info.st_atim);
    data->ftLastWriteTime = ToFileTime(info.st_mtim);
    std::memcpy(data->cFileName, ansiName.c_str(), ansiName.size() + 1);
}

// stat(), or lstat() for a link that leads nowhere: the entry is still listed.
bool StatEntry(int dirFd, const char* name, struct stat* info) {
    return fstatat(dirFd, name, info, 0) == 0 || fstatat(dirFd, name, info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool ReadNextMatch(FileSearch* search, WIN32_FIND_DATAA* data) {
    while (dirent* entry = readdir(search->dir)) {
        std::string ansiName = Utf8ToAnsi(entry->d_name);
        if (ansiName.size() >= MAX_PATH) continue;  // no Win32 name is that long
        if (!MatchesFilePattern(search->pattern, ansiName)) continue;
        struct stat info;
        if (!StatEntry(dirfd(search->dir), entry->d_name, &info)) continue;  // vanished meanwhile
        Fill(data, ansiName, info);
        return true;
    }
    return false;
}

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// The on-disk spelling of a name that differs from the one asked for only in
// the case of ASCII letters; empty when there is none.
std::string FindNameIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return {};
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (EqualsIgnoringAsciiCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

HANDLE FailExact(const std::string& folder, int error) {
    struct stat info;
    bool folderExists = stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    SetLastError(!folderExists ? ERROR_PATH_NOT_FOUND
                 : error == ENOENT ? ERROR_FILE_NOT_FOUND
                                   : ErrorFromErrno(error));
    return INVALID_HANDLE_VALUE;
}

// The numbering probes land here thousands of times: one stat when the name exists.
HANDLE FindExact(const std::string& path, const std::string& folder, const std::string& name,
                 const char* ansiName, WIN32_FIND_DATAA* data) {
    struct stat info;
    bool found = StatEntry(AT_FDCWD, path.c_str(), &info);
    std::string ansi = ansiName;
    if (!found && errno == ENOENT) {
        std::string onDisk = FindNameIgnoringCase(folder, name);
        found = !onDisk.empty() && StatEntry(AT_FDCWD, (folder + "/" + onDisk).c_str(), &info);
        ansi = Utf8ToAnsi(onDisk);
    }
    if (!found) return FailExact(folder, errno);
    if (ansi.size() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    Fill(data, ansi, info);
    return Register(new FileSearch);
}

HANDLE FindByPattern(const std::string& folder, const std::string& pattern, WIN32_FIND_DATAA* data) {
    auto* search = new FileSearch;
    search->dir = opendir(folder.c_str());
    if (search->dir == nullptr) {
        delete search;
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    search->pattern = Utf8ToAnsi(pattern);
    if (!ReadNextMatch(search, data)) {
        delete search;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return Register(search);
}

}  // namespace
}  // namespace wordoria::platform

using namespace wordoria::platform;

namespace {

// The name part of a Shift-JIS path; '/' and '\\' both separate, but 0x5C
// may also be the second byte of a double-byte character.
const char* LastComponent(const char* ansiPath) {
    const char* name = ansiPath;
    for (const char* p = ansiPath; *p != '\0'; ++p) {
        if (IsAnsiLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            ++p;
        } else if (*p == '/' || *p == '\\') {
            name = p + 1;
        }
    }
    return name;
}

}  // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFileName == nullptr || lpFindFileData == nullptr || lpFileName[0] == '\0') {
        SetLastError(lpFileName != nullptr && lpFileName[0] == '\0' ? ERROR_PATH_NOT_FOUND
                                                                    : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string path = NativePath(lpFileName);
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (HasWildcard(name)) return FindByPattern(folder, name, lpFindFileData);
    return FindExact(path, folder, name, LastComponent(lpFileName), lpFindFileData);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    FileSearch* search = Lookup(hFindFile);
    if (search == nullptr || lpFindFileData == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->dir == nullptr || !ReadNextMatch(search, lpFindFileData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    FileSearch* search = nullptr;
    {
        std::lock_guard<std::mutex> lock(liveMutex);
        auto found = liveSearches.find(static_cast<FileSearch*>(hFindFile));
        if (found != liveSearches.end()) {
            search = *found;
            liveSearches.erase(found);
        }
    }
    if (search == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete search;
    return TRUE;
}
