// FindFirstFileA, FindNextFileA and FindClose over POSIX directories.
// Names go out in Shift-JIS; patterns match as Win32's do: '*' and '?',
// ASCII letters in either case, and a trailing ".*" that also matches
// names without a dot ("*.*" matches every name).
#include <windows.h>

#include "file_search_match.h"
#include "handle_table.h"
#include "last_error.h"
#include "native_path.h"
#include "text_encoding.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace wordoria::platform {
namespace {

struct FileSearch {
    DIR* dir = nullptr;   // none for a search by exact name: it finds one entry
    std::string pattern;  // Shift-JIS, last path component
    ~FileSearch() {
        if (dir != nullptr) closedir(dir);
    }
};

HandleTable<FileSearch>& Searches() {
    static HandleTable<FileSearch> table;
    return table;
}

FILETIME ToFileTime(const struct timespec& time) {
    // 100-nanosecond intervals since 1601-01-01.
    const uint64_t secondsFrom1601 = 11644473600ULL;
    uint64_t ticks = (static_cast<uint64_t>(time.tv_sec) + secondsFrom1601) * 10000000ULL +
                     static_cast<uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

void Fill(WIN32_FIND_DATAA* data, const char* ansiName, size_t length, const struct stat& info) {
    std::memset(data, 0, sizeof *data);
    if (S_ISDIR(info.st_mode)) {
        data->dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        data->dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
        data->nFileSizeLow = static_cast<DWORD>(info.st_size);
        data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
    }
    if ((info.st_mode & S_IWUSR) == 0) data->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    bool dots = std::strcmp(ansiName, ".") == 0 || std::strcmp(ansiName, "..") == 0;
    if (ansiName[0] == '.' && !dots) data->dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
    data->ftCreationTime = ToFileTime(info.st_ctim);
    data->ftLastAccessTime = ToFileTime(info.st_atim);
    data->ftLastWriteTime = ToFileTime(info.st_mtim);
    std::memcpy(data->cFileName, ansiName, length + 1);
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
        Fill(data, ansiName.c_str(), ansiName.size(), info);
        return true;
    }
    return false;
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

HANDLE FailExact(const std::string& folder, int error) {
    struct stat info;
    bool folderExists = stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (!folderExists) return Fail(ERROR_PATH_NOT_FOUND);
    return Fail(error == ENOENT ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(error));
}

// The numbering probes land here thousands of times: one stat per call.
// Names are matched exactly here, unlike Windows: a case-blind lookup would
// read the whole folder on every miss.
HANDLE FindExact(const std::string& path, size_t slash, const char* ansiName, WIN32_FIND_DATAA* data) {
    struct stat info;
    if (!StatEntry(AT_FDCWD, path.c_str(), &info)) {
        int error = errno;
        return FailExact(slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash), error);
    }
    size_t length = std::strlen(ansiName);
    if (length >= MAX_PATH) return Fail(ERROR_FILENAME_EXCED_RANGE);
    Fill(data, ansiName, length, info);
    return Searches().Open();
}

HANDLE FindByPattern(const std::string& path, size_t slash, WIN32_FIND_DATAA* data) {
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return Fail(ERROR_PATH_NOT_FOUND);
    HANDLE handle = Searches().Open();
    FileSearch* search = Searches().Find(handle);
    search->dir = dir;
    search->pattern = Utf8ToAnsi(path.substr(slash + 1));
    if (!ReadNextMatch(search, data)) {
        Searches().Close(handle);
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    return handle;
}

// The name part of a Shift-JIS path; '/' and '\' both separate, but 0x5C
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
}  // namespace wordoria::platform

using namespace wordoria::platform;

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (lpFileName == nullptr || lpFindFileData == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if (lpFileName[0] == '\0') return Fail(ERROR_PATH_NOT_FOUND);
    std::string path = NativePath(lpFileName);
    size_t slash = path.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart == path.size()) return Fail(ERROR_FILE_NOT_FOUND);
    if (path.find_first_of("*?", nameStart) != std::string::npos)
        return FindByPattern(path, slash, lpFindFileData);
    return FindExact(path, slash, LastComponent(lpFileName), lpFindFileData);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    FileSearch* search = Searches().Find(hFindFile);
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
    if (!Searches().Close(hFindFile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
