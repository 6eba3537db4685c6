// The store tests' main: also the child writer of the concurrency test.
#include "child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <platform/testing.h>
#endif

namespace wordoria::test {
int WriteWordsChild(const char* tag, int count);
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-words") == 0) {
#ifndef _WIN32
        // A message box here would mean a failed write: fail instead of waiting for a person.
        wordoria::testing::MessageBoxHook hook([](const wordoria::testing::MessageBoxCall&) -> int { std::exit(3); });
#endif
        return wordoria::test::WriteWordsChild(argv[2], std::atoi(argv[3]));
    }
#ifndef _WIN32
    wordoria::test::SetSelfPath("/proc/self/exe");
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
