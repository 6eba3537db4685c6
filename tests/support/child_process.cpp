#include "child_process.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace wordoria::test {

namespace {
std::string selfPath;
}

void SetSelfPath(const char* path) { selfPath = path; }

#ifdef _WIN32

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\"";
    for (const auto& argument : arguments) command += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        handle_ = reinterpret_cast<long long>(process.hProcess);
    }
}

ChildProcess::~ChildProcess() { Wait(); }

int ChildProcess::Wait() {
    if (handle_ == -1) return exitCode_;
    HANDLE process = reinterpret_cast<HANDLE>(handle_);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    handle_ = -1;
    exitCode_ = static_cast<int>(code);
    return exitCode_;
}

bool ChildProcess::Finished() {
    if (handle_ == -1) return true;
    if (WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), 0) != WAIT_OBJECT_0) return false;
    Wait();
    return true;
}

#else

ChildProcess::ChildProcess(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(selfPath.c_str()));
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, selfPath.c_str(), nullptr, nullptr, argv.data(), environ) == 0) handle_ = pid;
}

ChildProcess::~ChildProcess() { Wait(); }

int ChildProcess::Wait() {
    if (handle_ == -1) return exitCode_;
    int status = 0;
    waitpid(static_cast<pid_t>(handle_), &status, 0);
    handle_ = -1;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitCode_;
}

bool ChildProcess::Finished() {
    if (handle_ == -1) return true;
    int status = 0;
    if (waitpid(static_cast<pid_t>(handle_), &status, WNOHANG) == 0) return false;
    handle_ = -1;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

#endif

}  // namespace wordoria::test
