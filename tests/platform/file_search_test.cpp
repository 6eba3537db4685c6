#include "files/file_search_match.h"

#include "../support/test_folder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace wordoria::test;
using wordoria::platform::MatchesFilePattern;

TEST(FilePattern, WildcardsAsWin32HasThem) {
    EXPECT_TRUE(MatchesFilePattern("*.*", "memo"));
    EXPECT_TRUE(MatchesFilePattern("*.*", ".hidden"));
    EXPECT_TRUE(MatchesFilePattern("*.*", "1.txt"));
    EXPECT_TRUE(MatchesFilePattern("*", "a.b.c"));
    EXPECT_TRUE(MatchesFilePattern("*.txt", "1.TXT"));
    EXPECT_FALSE(MatchesFilePattern("*.txt", "1.txt.bak"));
    EXPECT_TRUE(MatchesFilePattern("?.txt", "9.txt"));
    EXPECT_FALSE(MatchesFilePattern("?.txt", "10.txt"));
    EXPECT_TRUE(MatchesFilePattern("?.txt", "字.txt"));  // '?' takes a whole double-byte character
    EXPECT_TRUE(MatchesFilePattern("表*", "表示"));
    EXPECT_FALSE(MatchesFilePattern("表*", "字"));
    EXPECT_TRUE(MatchesFilePattern("a*b*c", "axxbyyc"));
    EXPECT_FALSE(MatchesFilePattern("a*b*c", "axxbyy"));
}

class FileSearch : public TestFolder {
protected:
    // A file by its UTF-8 name on disk, whatever Win32 could call it.
    static void WriteNative(const std::string& path) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        std::fclose(file);
    }

    std::vector<std::pair<std::string, DWORD>> Search(const std::string& pattern) {
        std::vector<std::pair<std::string, DWORD>> found;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return found;
        do {
            found.emplace_back(data.cFileName, data.dwFileAttributes);
        } while (FindNextFileA(find, &data));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(find));
        std::sort(found.begin(), found.end());
        return found;
    }
};

TEST_F(FileSearch, ListsEveryEntryWithDotsAndFolderAttributes) {
    WriteBytes("DATA/記号/1.txt", "abc");
    WriteBytes("DATA/記号/メモ", "");
    MakeFolder("DATA/記号/sub");
    auto found = Search("DATA/記号/*.*");
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].first, ".");
    EXPECT_EQ(found[1].first, "..");
    EXPECT_EQ(found[2].first, "1.txt");
    EXPECT_EQ(found[3].first, "sub");
    EXPECT_EQ(found[4].first, "メモ");
    EXPECT_TRUE(found[0].second & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(found[2].second & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(found[3].second & FILE_ATTRIBUTE_DIRECTORY);

    // Names are UTF-8 on disk, readable in any file manager.
    EXPECT_TRUE(std::filesystem::exists(u8"DATA/記号/メモ"));
}

TEST_F(FileSearch, ExactPathFindsThatOneEntry) {
    WriteBytes("DATA/英語/A/1.txt", "12345");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("DATA/英語/A/1.txt", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "1.txt");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    FindClose(find);

    find = FindFirstFileA("DATA\\英語\\A\\1.txt", &data);
    EXPECT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
}

TEST_F(FileSearch, FailuresGiveWin32Errors) {
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA("DATA/英語/A/2.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("DATA/無い/*.*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("DATA/無い/1.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("DATA/英語/A/*.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileA("", &data), INVALID_HANDLE_VALUE);

    int notAHandle = 0;
    EXPECT_FALSE(FindClose(&notAHandle));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
}

// What the program would be handed for such a name opens another file, or none.
TEST_F(FileSearch, NamesWin32CannotNameAreNeverListed) {
    for (const char* name : {u8"caf\u00E9\U0001F600.txt", u8"sub\\b.txt", u8"\u00A5.txt", u8"caf??.txt"})
        WriteNative(std::string(u8"DATA/記号/") + name);
    auto found = Search("DATA/記号/*");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].first, "caf??.txt");  // the one really named so

    // Nor does a search by exact name reach them by another's name.
    WIN32_FIND_DATAA data;
    EXPECT_EQ(FindFirstFileA("DATA/記号/sub\\b.txt", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileA("DATA/記号/\\.txt", &data), INVALID_HANDLE_VALUE);  // where ¥ went
}

// Windows and Wine sort a folder by upper-cased UTF-16 names, not by the
// disk's hash order and not by Shift-JIS bytes; "." and ".." come first.
TEST_F(FileSearch, FoldersComeSortedAsWindowsSortsThem) {
    for (const char* name : {u8"b.txt", u8"B2", u8"ｱ", u8"あ", u8"Ａ", u8"ｂ", u8"_", u8"A.txt", u8"a.txt",
                             u8"10.txt", u8"2.txt", u8"1.txt", u8"ω", u8"Ψ"})
        WriteNative(std::string(u8"DATA/記号/") + name);
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("DATA/記号/*.*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    // A.txt and a.txt tie but for case: Wine then orders them as they are.
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "1.txt", "10.txt", "2.txt", "A.txt", "a.txt",
                                               "b.txt", "B2", "_", "Ψ", "ω", "あ", "Ａ", "ｂ", "ｱ"}));
}

TEST_F(FileSearch, ExactNamesMatchWhateverTheirCase) {
    for (const char* name : {u8"1.TXT", u8"Ａｂ", u8"Ω", u8"Ж"}) WriteNative(std::string(u8"DATA/記号/") + name);
    auto find = [](const char* path) {
        WIN32_FIND_DATAA data;
        HANDLE handle = FindFirstFileA(path, &data);
        if (handle == INVALID_HANDLE_VALUE) return std::string("(none)");
        FindClose(handle);
        return std::string(data.cFileName);
    };
    EXPECT_EQ(find("DATA/記号/1.txt"), "1.TXT");  // the name as it is on disk
    EXPECT_EQ(find("DATA/記号/1.TXT"), "1.TXT");
    EXPECT_EQ(find("DATA/記号/ａＢ"), "Ａｂ");
    EXPECT_EQ(find("DATA/記号/ω"), "Ω");
    EXPECT_EQ(find("DATA/記号/ж"), "Ж");
    EXPECT_EQ(find("DATA/記号/AB"), "(none)");  // full-width letters are other letters
    EXPECT_EQ(find("DATA/記号/2.txt"), "(none)");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileSearch, FilesAndFoldersAreMadeAndRemovedByShiftJisName) {
    EXPECT_FALSE(CreateDirectoryA("DATA/記号", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("無い/下", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(CreateDirectoryA("DATA/記号/新", nullptr));
    EXPECT_FALSE(DeleteFileA("DATA/記号/新"));  // never a folder
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(RemoveDirectoryA("DATA/記号/新"));

    WriteBytes("DATA/記号/表.txt", "x");
    EXPECT_TRUE(DeleteFileA("DATA/記号/表.txt"));
    EXPECT_FALSE(DeleteFileA("DATA/記号/表.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
