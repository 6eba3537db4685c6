#include "cli_runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace wordoria::test {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::string bytes;
    FILE* file = nullptr;
#ifdef _WIN32
    file = _wfopen(path.c_str(), L"rb");
#else
    file = fopen(path.c_str(), "rb");
#endif
    if (file == nullptr) return bytes;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8, UINT codePage = CP_UTF8) {
    int length = MultiByteToWideChar(codePage, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(codePage, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

// What the tool prints for a person comes in the console's code page, with
// CR LF line ends: back to UTF-8 and LF.
std::string ConsoleToUtf8(const std::string& bytes) {
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0) codePage = GetACP();
    std::wstring wide = Wide(bytes, codePage);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string text(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr, nullptr);
    std::string result;
    for (size_t i = 0; i < text.size(); i++)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
    return result;
}

fs::path ToolPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().parent_path() / "cli" / "wordoria-cli.exe";
}

HANDLE Inheritable(const fs::path& path) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &attributes, CREATE_ALWAYS, 0, nullptr);
}

int Spawn(const std::vector<std::string>& arguments, const fs::path& out, const fs::path& err) {
    std::wstring command = L"\"" + ToolPath().wstring() + L"\"";
    for (const std::string& argument : arguments) command += L" \"" + Wide(argument) + L"\"";
    HANDLE outFile = Inheritable(out);
    HANDLE errFile = Inheritable(err);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    int status = -1;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outFile);
    CloseHandle(errFile);
    return status;
}

#else

std::string ConsoleToUtf8(const std::string& bytes) { return bytes; }

fs::path ToolPath() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" / "wordoria-cli"; }

int Spawn(const std::vector<std::string>& arguments, const fs::path& out, const fs::path& err) {
    std::string tool = ToolPath().string();
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int wait = 0;
        waitpid(pid, &wait, 0);
        status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

#endif

}  // namespace

CliRun RunCli(const std::vector<std::string>& arguments, const char* outputTo) {
    // Test cases run side by side as processes of their own.
#ifdef _WIN32
    unsigned long process = GetCurrentProcessId();
#else
    unsigned long process = static_cast<unsigned long>(getpid());
#endif
    fs::path folder = fs::temp_directory_path() / ("wordoria-cli-output-" + std::to_string(process));
    fs::create_directories(folder);
    CliRun run;
    run.status = Spawn(arguments, outputTo != nullptr ? fs::path(outputTo) : folder / "out", folder / "err");
    if (outputTo == nullptr) run.out = Slurp(folder / "out");
    run.err = ConsoleToUtf8(Slurp(folder / "err"));
    std::error_code error;
    fs::remove_all(folder, error);
    // CSV comes as UTF-8 bytes; anything else is for a person.
    if (run.out.rfind("category,", 0) != 0) run.out = ConsoleToUtf8(run.out);
    return run;
}

void PlantNativeFile(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    std::wstring path = Wide(folder + "/" + name);
    FILE* file = _wfopen(path.c_str(), L"wb");
#else
    FILE* file = fopen((folder + "/" + name).c_str(), "wb");
#endif
    ASSERT_NE(file, nullptr) << name;
    fputs("x\r\ny", file);
    fclose(file);
}

void RemoveNativeFolder(const std::string& folder) {
#ifdef _WIN32
    ASSERT_EQ(_wrmdir(Wide(folder).c_str()), 0) << folder;
#else
    ASSERT_EQ(rmdir(folder.c_str()), 0) << folder;
#endif
}

}  // namespace wordoria::test
