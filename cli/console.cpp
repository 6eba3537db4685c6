#include "console.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wordoria::cli {
namespace {

const char kProgram[] = "wordoria-cli: ";

// The first failed write to standard output: output that was lost must not
// end in a status that says all went well.
bool s_outputFailed = false;
std::string s_outputReason;

void NoteOutput(bool written, const std::string& reason) {
    if (written || s_outputFailed) return;
    s_outputFailed = true;
    s_outputReason = reason;
}

bool WriteBytes(FILE* stream, std::string_view bytes) {
    return fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

#ifdef _WIN32

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

std::string Utf8(const wchar_t* wide) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string text(length - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], length, nullptr, nullptr);
    return text;
}

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    if (FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr) == 0)
        return "error " + std::to_string(code);
    std::string message = Utf8(text);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

// A console shows any text written to it as UTF-16; a file or a pipe gets
// the console's code page, as every console program's output does. False,
// with the reason, when the text did not get through.
bool Show(FILE* stream, DWORD handleId, std::string_view utf8, std::string* reason) {
    HANDLE handle = GetStdHandle(handleId);
    DWORD mode = 0;
    std::wstring wide = Wide(utf8);
    if (GetConsoleMode(handle, &mode)) {
        if (fflush(stream) != 0) {
            *reason = strerror(errno);
            return false;
        }
        DWORD written = 0;
        bool shown = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) &&
                     written == wide.size();
        if (!shown) *reason = SystemMessage(GetLastError());
        return shown;
    }
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], length, nullptr, nullptr);
    if (WriteBytes(stream, bytes)) return true;
    *reason = strerror(errno);
    return false;
}

#endif

}  // namespace

#ifdef _WIN32

std::vector<std::string> CommandLine(int, char**) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; i++) result.push_back(Utf8(arguments[i]));
    LocalFree(arguments);
    return result;
}

void Print(std::string_view utf8) {
    if (s_outputFailed) return;
    std::string reason;
    NoteOutput(Show(stdout, STD_OUTPUT_HANDLE, utf8, &reason), reason);
}

// Nothing can be said of a standard error that fails.
void PrintError(std::string_view utf8) {
    std::string reason;
    Show(stderr, STD_ERROR_HANDLE, utf8, &reason);
}

void WriteOut(std::string_view bytes) {
    if (s_outputFailed) return;
    bool written = fflush(stdout) == 0;
    _setmode(_fileno(stdout), _O_BINARY);  // CSV's CR LF as it is, no CR added
    written = written && WriteBytes(stdout, bytes) && fflush(stdout) == 0;
    NoteOutput(written, written ? std::string() : strerror(errno));
    _setmode(_fileno(stdout), _O_TEXT);
}

bool ErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

bool AnsiCodePageIsJapanese() { return GetACP() == 932; }

FILE* OpenToRead(const std::string& path) {
    if (path != "-") return _wfopen(Wide(path).c_str(), L"rb");
    _setmode(_fileno(stdin), _O_BINARY);
    return stdin;
}

bool EnterFolder(const std::string& path) { return SetCurrentDirectoryW(Wide(path).c_str()) != 0; }

bool HoldsDataFolder(const std::string& folder) {
    DWORD attributes = GetFileAttributesW(Wide(folder + "\\DATA").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WorkingFolder() {
    DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    if (length == 0 || GetCurrentDirectoryW(length, &folder[0]) == 0) return ".";
    return Utf8(folder.c_str());
}

std::string Environment(const char* name) {
    std::wstring wideName = Wide(name);
    DWORD length = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (length == 0) return std::string();
    std::wstring value(length, L'\0');
    if (GetEnvironmentVariableW(wideName.c_str(), &value[0], length) == 0) return std::string();
    return Utf8(value.c_str());
}

// Paths longer than MAX_PATH come back cut (and the error set): the buffer grows until one fits.
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::string() : Utf8(path.substr(0, slash).c_str());
}

bool SpeaksJapanese() {
    static const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    return japanese;
}

#else

std::vector<std::string> CommandLine(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

void Print(std::string_view utf8) { WriteOut(utf8); }

// Nothing can be said of a standard error that fails.
void PrintError(std::string_view utf8) { WriteBytes(stderr, utf8); }

void WriteOut(std::string_view bytes) {
    if (s_outputFailed) return;
    bool written = WriteBytes(stdout, bytes);
    NoteOutput(written, written ? std::string() : strerror(errno));
}

bool ErrorIsTerminal() { return isatty(fileno(stderr)) != 0; }

bool AnsiCodePageIsJapanese() { return true; }

FILE* OpenToRead(const std::string& path) { return path == "-" ? stdin : fopen(path.c_str(), "rb"); }

bool EnterFolder(const std::string& path) { return chdir(path.c_str()) == 0; }

bool HoldsDataFolder(const std::string& folder) {
    struct stat status;
    return stat((folder + "/DATA").c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string WorkingFolder() {
    char* folder = getcwd(nullptr, 0);
    if (folder == nullptr) return ".";
    std::string text = folder;
    free(folder);
    return text;
}

std::string Environment(const char* name) {
    const char* value = getenv(name);
    return value == nullptr ? std::string() : value;
}

// As setlocale reads the messages category; an empty variable counts as unset.
bool SpeaksJapanese() {
    static const bool japanese = [] {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            std::string value = Environment(name);
            if (!value.empty()) return value.rfind("ja", 0) == 0;
        }
        return false;
    }();
    return japanese;
}

#endif

// Most write errors show only here, when the last buffer goes out.
bool FinishOutput(std::string* reason) {
    if (!s_outputFailed) {
        errno = 0;
        bool flushed = fflush(stdout) == 0 && ferror(stdout) == 0;
        NoteOutput(flushed, flushed ? std::string() : strerror(errno != 0 ? errno : EIO));
    }
    bool closed = fclose(stdout) == 0;
    NoteOutput(closed, closed ? std::string() : strerror(errno));
    *reason = s_outputReason;
    return !s_outputFailed;
}

std::string_view InLanguage(std::string_view japanese, std::string_view english) {
    return SpeaksJapanese() ? japanese : english;
}

std::string Count(size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string Words(size_t count) { return Count(count, "word", "words"); }

void Tell(std::string_view japanese, std::string_view english) {
    Print(std::string(InLanguage(japanese, english)) + "\n");
}

void Report(std::string_view japanese, std::string_view english) {
    PrintError(std::string(kProgram) + std::string(InLanguage(japanese, english)) + "\n");
}

}  // namespace wordoria::cli
