// A fresh working directory per test, with the DATA tree made, and helpers to
// put exact bytes on disk by Shift-JIS path on either platform.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace wordoria::test {

class TestFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The absolute native path of the working directory the test runs in.
    const std::string& root() const { return root_; }

private:
    std::string root_;
    std::string previous_;
};

// Files by Shift-JIS path relative to the working directory.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
void MakeFolder(const std::string& path);
// Names in a folder, "." and ".." left out, sorted.
std::vector<std::string> ListNames(const std::string& folder);

}  // namespace wordoria::test
