// FindFirstFileA, FindNextFileA and FindClose over POSIX directories.
// Names go out in Shift-JIS; patterns match as Win32's do: '*' and '?',
// ASCII letters in either case, and a trailing ".*" that also matches
// names without a dot ("*.*" matches every name). A folder comes in the
// order Windows and Wine give it, sorted by name, "." and ".." first.
#include <windows.h>

#include "files/file_names.h"
#include "files/file_search_match.h"
#include "base/handle_table.h"
#include "base/last_error.h"
#include "files/native_path.h"
#include "text/text_encoding.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace wordoria::platform {
namespace {

// The whole folder is read when the search starts, as Wine does, since
// the order is known only then.
struct FileSearch {
    int folderFd = -1;  // none for a search by exact name: it finds one entry
    std::vector<FileName> names;
    std::vector<size_t> order;  // indices into names, in listing order
    size_t next = 0;
    ~FileSearch() {
        if (folderFd >= 0) close(folderFd);
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
    while (search->next < search->order.size()) {
        const FileName& name = search->names[search->order[search->next++]];
        struct stat info;
        if (!StatEntry(search->folderFd, name.disk.c_str(), &info)) continue;  // vanished meanwhile
        Fill(data, name.ansi.c_str(), name.ansi.size(), info);
        return true;
    }
    return false;
}

bool IsDots(const std::string& name) { return name == "." || name == ".."; }

// Every entry a Win32 program could name, and the order Win32 lists them in.
void ReadFolder(DIR* dir, const std::string& pattern, FileSearch* search) {
    FileName name;
    while (dirent* entry = readdir(dir)) {
        if (!ToFileName(entry->d_name, &name)) continue;
        if (name.ansi.size() >= MAX_PATH) continue;  // no Win32 name is that long
        if (!MatchesFilePattern(pattern, name.ansi)) continue;
        search->names.push_back(std::move(name));
    }
    const std::vector<FileName>& names = search->names;
    std::vector<size_t>& order = search->order;
    for (const char* dots : {".", ".."}) {
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i].disk == dots) order.push_back(i);
        }
    }
    size_t dotCount = order.size();
    for (size_t i = 0; i < names.size(); ++i) {
        if (!IsDots(names[i].disk)) order.push_back(i);
    }
    std::sort(order.begin() + dotCount, order.end(),
              [&names](size_t a, size_t b) { return ListedBefore(names[a], names[b]); });
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

std::string FolderOf(const std::string& path, size_t slash) {
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entry whose name differs from the one asked for in case only, as
// Windows would find it; the one the program would be given for it.
bool FindIgnoringCase(const std::string& folder, const std::string& wanted, FileName* found) {
    std::u16string wantedWide;
    if (!Utf8ToUtf16(wanted, &wantedWide)) return false;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        if (!IsDots(entry->d_name) && MatchesIgnoringCase(entry->d_name, wantedWide, found)) {
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

enum class Lookup { Found, Missing, Unknown };

// No character of code page 932 upper-cases into ASCII, so a plain ASCII
// name can only match its own other spellings: those few are tried by stat
// instead of reading a folder of thousands of names.
Lookup FindAsciiSpelling(const std::string& folder, const std::string& wanted, FileName* found) {
    const size_t maxLetters = 8;
    std::vector<size_t> letters;
    for (size_t i = 0; i < wanted.size(); ++i) {
        auto c = static_cast<unsigned char>(wanted[i]);
        if (c >= 0x80) return Lookup::Unknown;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) letters.push_back(i);
    }
    if (letters.size() > maxLetters) return Lookup::Unknown;
    std::string spelling = wanted;
    struct stat info;
    for (unsigned flips = 1; flips < (1u << letters.size()); ++flips) {
        for (size_t bit = 0; bit < letters.size(); ++bit) {
            char c = wanted[letters[bit]];
            spelling[letters[bit]] = (flips >> bit & 1) ? static_cast<char>(c ^ 0x20) : c;  // the other case
        }
        if (StatEntry(AT_FDCWD, (folder + '/' + spelling).c_str(), &info)) {
            return ToFileName(spelling, found) ? Lookup::Found : Lookup::Missing;
        }
    }
    return Lookup::Missing;
}

HANDLE Found(WIN32_FIND_DATAA* data, const std::string& ansiName, const struct stat& info) {
    if (ansiName.size() >= MAX_PATH) return Fail(ERROR_FILENAME_EXCED_RANGE);
    Fill(data, ansiName.c_str(), ansiName.size(), info);
    return Searches().Open();
}

// The numbering probes land here thousands of times: an exact hit costs one
// stat; only a miss reads the folder, once per registration.
HANDLE FindExact(const std::string& path, size_t slash, const char* ansiName, WIN32_FIND_DATAA* data) {
    struct stat info;
    if (StatEntry(AT_FDCWD, path.c_str(), &info)) return Found(data, ansiName, info);
    int error = errno;
    std::string folder = FolderOf(path, slash);
    if (!IsFolder(folder)) return Fail(ERROR_PATH_NOT_FOUND);
    if (error != ENOENT) return Fail(ErrorFromErrno(error));
    FileName found;
    std::string wanted = path.substr(slash + 1);
    Lookup lookup = FindAsciiSpelling(folder, wanted, &found);
    if (lookup == Lookup::Unknown) lookup = FindIgnoringCase(folder, wanted, &found) ? Lookup::Found : Lookup::Missing;
    if (lookup == Lookup::Missing ||
        !StatEntry(AT_FDCWD, (folder + '/' + found.disk).c_str(), &info))
        return Fail(ERROR_FILE_NOT_FOUND);
    return Found(data, found.ansi, info);
}

HANDLE FindByPattern(const std::string& path, size_t slash, WIN32_FIND_DATAA* data) {
    DIR* dir = opendir(FolderOf(path, slash).c_str());
    if (dir == nullptr) return Fail(ERROR_PATH_NOT_FOUND);
    HANDLE handle = Searches().Open();
    FileSearch* search = Searches().Find(handle);
    ReadFolder(dir, Utf8ToAnsi(path.substr(slash + 1)), search);
    search->folderFd = dup(dirfd(dir));
    closedir(dir);
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
    if (!ReadNextMatch(search, lpFindFileData)) {
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
