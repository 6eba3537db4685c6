#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

using Changes = std::vector<std::pair<std::string, std::string>>;

struct Paths {
    fs::path tool, out, err, in, folder;
};

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

fs::path BuiltTool() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().parent_path() / "cli" / "wordoria-cli.exe";
}

HANDLE Inheritable(const fs::path& path, bool write) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ, &attributes,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, 0, nullptr);
}

// The process's own variables with the changes made, as CreateProcessW takes them.
std::wstring EnvironmentBlock(const Changes& changes) {
    std::vector<std::wstring> entries;
    wchar_t* own = GetEnvironmentStringsW();
    for (const wchar_t* entry = own; *entry != L'\0'; entry += wcslen(entry) + 1) entries.push_back(entry);
    FreeEnvironmentStringsW(own);
    for (const auto& [name, value] : changes) {
        std::wstring wideName = Wide(name);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& entry) {
                                         return entry.size() > wideName.size() && entry[wideName.size()] == L'=' &&
                                                _wcsnicmp(entry.c_str(), wideName.c_str(), wideName.size()) == 0;
                                     }),
                      entries.end());
        if (!value.empty()) entries.push_back(wideName + L"=" + Wide(value));
    }
    std::wstring block;
    for (const std::wstring& entry : entries) block += entry + L'\0';
    return block + L'\0';
}

// The display language is the test process's: its children cannot be given another.
Changes LanguageChanges(Language) { return Changes(); }

int Spawn(const std::vector<std::string>& arguments, const Paths& paths, const Changes& changes) {
    std::wstring command = L"\"" + paths.tool.wstring() + L"\"";
    for (const std::string& argument : arguments) command += L" \"" + Wide(argument) + L"\"";
    HANDLE outFile = Inheritable(paths.out, true);
    HANDLE errFile = Inheritable(paths.err, true);
    HANDLE inFile = paths.in.empty() ? nullptr : Inheritable(paths.in, false);
    std::wstring environment = EnvironmentBlock(changes);
    std::wstring folder = paths.folder.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inFile != nullptr ? inFile : GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    int status = -1;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, &environment[0],
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(outFile);
    CloseHandle(errFile);
    if (inFile != nullptr) CloseHandle(inFile);
    return status;
}

#else

std::string ConsoleToUtf8(const std::string& bytes) { return bytes; }

fs::path BuiltTool() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" / "wordoria-cli";
}

// The language as the tool reads it from the locale: every variable that
// could say another unset first.
Changes LanguageChanges(Language language) {
    return {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", ""},
            {"LANG", language == Language::Japanese ? "ja_JP.UTF-8" : "C.UTF-8"}};
}

std::vector<std::string> Environment(const Changes& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; entry++) entries.push_back(*entry);
    for (const auto& [name, value] : changes) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::string& entry) { return entry.rfind(name + "=", 0) == 0; }),
                      entries.end());
        if (!value.empty()) entries.push_back(name + "=" + value);
    }
    return entries;
}

int Spawn(const std::vector<std::string>& arguments, const Paths& paths, const Changes& changes) {
    std::string tool = paths.tool.string();
    std::vector<char*> argv{const_cast<char*>(tool.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment = Environment(changes);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(&entry[0]);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, paths.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, paths.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!paths.in.empty()) posix_spawn_file_actions_addopen(&actions, 0, paths.in.c_str(), O_RDONLY, 0);
    if (!paths.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, paths.folder.c_str());
    pid_t pid;
    int status = -1;
    if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int wait = 0;
        waitpid(pid, &wait, 0);
        status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

#endif

#ifdef _WIN32
fs::path NativePath(const std::string& utf8) { return fs::path(Wide(utf8)); }
#else
fs::path NativePath(const std::string& utf8) { return fs::path(utf8); }
#endif

}  // namespace

Language DefaultLanguage() {
#ifdef _WIN32
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese : Language::English;
#else
    return Language::English;
#endif
}

std::vector<Language> Languages() {
#ifdef _WIN32
    return {DefaultLanguage()};
#else
    return {Language::English, Language::Japanese};
#endif
}

std::string ToolPath() {
#ifdef _WIN32
    return BuiltTool().u8string();
#else
    return BuiltTool().string();
#endif
}

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
    // Test cases run side by side as processes of their own.
#ifdef _WIN32
    unsigned long process = GetCurrentProcessId();
#else
    unsigned long process = static_cast<unsigned long>(getpid());
#endif
    fs::path folder = fs::temp_directory_path() / ("wordoria-cli-output-" + std::to_string(process));
    fs::create_directories(folder);
    Paths paths;
    paths.tool = options.tool.empty() ? BuiltTool() : NativePath(options.tool);
    paths.out = options.outputTo != nullptr ? fs::path(options.outputTo) : folder / "out";
    paths.err = folder / "err";
    if (!options.inputFrom.empty()) paths.in = fs::absolute(NativePath(options.inputFrom));
    if (!options.folder.empty()) paths.folder = fs::absolute(NativePath(options.folder));
    Changes changes = LanguageChanges(options.language);
    changes.push_back({"WORDORIA_DATA", ""});
    changes.insert(changes.end(), options.environment.begin(), options.environment.end());

    CliRun run;
    run.language = Languages().size() > 1 ? options.language : DefaultLanguage();
    run.status = Spawn(arguments, paths, changes);
    if (options.outputTo == nullptr) run.out = Slurp(folder / "out");
    run.err = ConsoleToUtf8(Slurp(folder / "err"));
    std::error_code error;
    fs::remove_all(folder, error);
    // CSV comes as UTF-8 bytes, with or without a byte-order mark; anything else is for a person.
    size_t mark = run.out.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    if (run.out.compare(mark, 9, "category,") != 0) run.out = ConsoleToUtf8(run.out);
    return run;
}

CliRun RunCli(const std::vector<std::string>& arguments, const char* outputTo) {
    CliOptions options;
    options.outputTo = outputTo;
    return RunCli(arguments, options);
}

std::string Said(const CliRun& run, const std::string& japanese, const std::string& english) {
    return run.language == Language::Japanese ? japanese : english;
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
