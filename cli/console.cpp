#include "console.h"

#include <stdio.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace wordoria::cli {
namespace {

const char kProgram[] = "wordoria-cli: ";

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

// A console shows any text written to it as UTF-16; a file or a pipe gets
// the console's code page, as every console program's output does.
void Show(FILE* stream, DWORD handleId, std::string_view utf8) {
    HANDLE handle = GetStdHandle(handleId);
    DWORD mode = 0;
    std::wstring wide = Wide(utf8);
    if (GetConsoleMode(handle, &mode)) {
        fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], length, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stream);
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

void Print(std::string_view utf8) { Show(stdout, STD_OUTPUT_HANDLE, utf8); }
void PrintError(std::string_view utf8) { Show(stderr, STD_ERROR_HANDLE, utf8); }

void WriteOut(std::string_view bytes) {
    fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);  // CSV's CR LF as it is, no CR added
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
    _setmode(_fileno(stdout), _O_TEXT);
}

bool ErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

bool AnsiCodePageIsJapanese() { return GetACP() == 932; }

namespace {
FILE* OpenToRead(const std::string& path) { return _wfopen(Wide(path).c_str(), L"rb"); }
}  // namespace

bool EnterFolder(const std::string& path) { return SetCurrentDirectoryW(Wide(path).c_str()) != 0; }

#else

std::vector<std::string> CommandLine(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

void Print(std::string_view utf8) { fwrite(utf8.data(), 1, utf8.size(), stdout); }
void PrintError(std::string_view utf8) { fwrite(utf8.data(), 1, utf8.size(), stderr); }
void WriteOut(std::string_view bytes) { fwrite(bytes.data(), 1, bytes.size(), stdout); }

bool ErrorIsTerminal() { return isatty(fileno(stderr)) != 0; }

bool AnsiCodePageIsJapanese() { return true; }

namespace {
FILE* OpenToRead(const std::string& path) { return fopen(path.c_str(), "rb"); }
}  // namespace

bool EnterFolder(const std::string& path) { return chdir(path.c_str()) == 0; }

#endif

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    FILE* file = OpenToRead(path);
    if (file == nullptr) return false;
    char buffer[65536];
    size_t read;
    bytes->clear();
    while ((read = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, read);
    bool failed = ferror(file) != 0;
    fclose(file);
    return !failed;
}

void Report(std::string_view japanese, std::string_view english) {
    PrintError(std::string(kProgram) + std::string(japanese) + "\n" + kProgram + std::string(english) + "\n");
}

}  // namespace wordoria::cli
