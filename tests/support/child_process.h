// Runs this test program again as a child, in the same working directory.
#pragma once

#include <string>
#include <vector>

namespace wordoria::test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The child's exit code; -1 when it could not be started.
    int Wait();
    // Whether the child has ended (never waits); its code is then Wait()'s.
    bool Finished();

private:
    long long handle_ = -1;
    int exitCode_ = -1;
};

// Set by main() from argv[0] (Linux) for ChildProcess to start.
void SetSelfPath(const char* path);

}  // namespace wordoria::test
