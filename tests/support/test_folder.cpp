#include "test_folder.h"

#include <data_tree.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <windows.h>

#ifdef _WIN32
#include <direct.h>
#include <process.h>
#define chdir _chdir
#define getcwd _getcwd
#define getpid _getpid
namespace {
FILE* OpenAnsi(const std::string& path, const char* mode) { return fopen(path.c_str(), mode); }
}
#else
#include <ansi_stdio.h>
#include <unistd.h>
namespace {
FILE* OpenAnsi(const std::string& path, const char* mode) { return ansi_fopen(path.c_str(), mode); }
}
#endif

namespace wordoria::test {

namespace fs = std::filesystem;

void TestFolder::SetUp() {
    char buffer[4096];
    ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
    previous_ = buffer;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A folder of the test's own, and "../" one of its own too: a test may
    // run beside itself (another checkout, the other Wine), and tests put
    // their input files beside the tree.
    fs::path folder = fs::temp_directory_path() / "wordoria-tests" /
                      (std::string(info->test_suite_name()) + "." + info->name() + "." +
                       std::to_string(getpid())) /
                      "work";
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder);
    root_ = folder.string();
    ASSERT_EQ(chdir(root_.c_str()), 0);
    ASSERT_TRUE(MakeDataTree());
}

void TestFolder::TearDown() {
    ASSERT_EQ(chdir(previous_.c_str()), 0);
    std::error_code error;
    if (!HasFailure()) fs::remove_all(fs::path(root_).parent_path(), error);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = OpenAnsi(path, "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(fclose(file), 0);
}

std::string ReadBytes(const std::string& path) {
    FILE* file = OpenAnsi(path, "rb");
    if (file == nullptr) return "<missing>";
    std::string bytes;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

bool Exists(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

bool IsFolder(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

std::vector<std::string> ListNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "/*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace wordoria::test
