#include <word_file.h>

#include "../support/message_boxes.h"
#include "../support/permissions.h"
#include "../support/test_folder.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace wordoria::test;

WordEntry Entry(int category, const std::string& name, const std::string& content) {
    WordEntry entry{};
    entry.nCategory = category;
    std::strncpy(entry.szDisplay, GetCategoryDisplay(category) ? GetCategoryDisplay(category) : "",
                 sizeof entry.szDisplay - 1);
    std::strncpy(entry.szName, name.c_str(), sizeof entry.szName - 1);
    std::strncpy(entry.szContent, content.c_str(), sizeof entry.szContent - 1);
    return entry;
}

int Write(const WordEntry& entry) {
    switch (GetCategoryGroup(entry.nCategory)) {
    case GROUP_KANA: return WriteWordKana(&entry);
    case GROUP_LATIN: return WriteWordLatin(&entry);
    default: return WriteWordSymbol(&entry);
    }
}

struct ReadBack {
    bool opened;
    std::string name;
    std::vector<std::string> lines;
};

ReadBack Read(const std::string& path) {
    char name[WORD_FIELD_SIZE];
    char lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    // Stale bytes, as a reused record would hold.
    std::memset(name, 'Z', sizeof name);
    std::memset(lines, 'Z', sizeof lines);
    ReadBack result;
    result.opened = ReadWordFile(path.c_str(), name, lines);
    result.name = name;
    for (auto& line : lines) result.lines.push_back(line);
    return result;
}

using Lines = std::vector<std::string>;

const std::string KI = "DATA/日本語/か行/き";

class WordFile : public TestFolder {};

struct Listed {
    std::vector<std::string> paths;
};

bool Collect(const char* path, void* context) {
    static_cast<Listed*>(context)->paths.push_back(path);
    return true;
}


TEST_F(WordFile, StoresNameLfAndContentAsTextModeBytes) {
    ASSERT_EQ(Write(Entry(7, "ab", "cd\r\nef")), WRITE_DONE);
    EXPECT_EQ(ReadBytes(KI + "/1.txt"), "\x61\x62\x0D\x0A\x63\x64\x0D\x0D\x0A\x65\x66");
    ReadBack back = Read(KI + "/1.txt");
    EXPECT_TRUE(back.opened);
    EXPECT_EQ(back.name, "ab");
    EXPECT_EQ(back.lines, (Lines{"cd", "ef", "", "", ""}));

    ASSERT_EQ(Write(Entry(7, "x", "a\r\n\r\nb\r\n")), WRITE_DONE);
    EXPECT_EQ(ReadBytes(KI + "/2.txt"), "x\r\na\r\r\n\r\r\nb\r\r\n");
    EXPECT_EQ(Read(KI + "/2.txt").lines, (Lines{"a", "", "b", "", ""}));
}

TEST_F(WordFile, EachGroupWritesIntoItsOwnFolder) {
    ASSERT_EQ(Write(Entry(40, "よる", "夜")), WRITE_DONE);
    EXPECT_EQ(ReadBytes("DATA/日本語/や行/よ/1.txt"), "よる\r\n夜");
    ASSERT_EQ(Write(Entry(76, "zebra", "animal")), WRITE_DONE);
    EXPECT_EQ(ReadBytes("DATA/英語/Z/1.txt"), "zebra\r\nanimal");
    ASSERT_EQ(Write(Entry(81, "＠", "at")), WRITE_DONE);
    EXPECT_EQ(ReadBytes("DATA/記号/1.txt"), "＠\r\nat");

    // A writer takes only its own group, and no number outside the table.
    WordEntry latin = Entry(76, "zoo", "z");
    EXPECT_EQ(WriteWordKana(&latin), WRITE_NO_CATEGORY);
    EXPECT_EQ(WriteWordSymbol(&latin), WRITE_NO_CATEGORY);
    WordEntry none = Entry(37, "n", "n");
    EXPECT_EQ(WriteWordKana(&none), WRITE_NO_CATEGORY);
    EXPECT_EQ(ListNames("DATA/英語/Z"), (Lines{"1.txt"}));
}

TEST_F(WordFile, TakesTheFirstFreeNumber) {
    EXPECT_EQ(FindFreeWordNumber(KI.c_str()), 1);
    for (const char* name : {"1.txt", "2.txt", "4.txt"}) WriteBytes(KI + "/" + name, "old");
    EXPECT_EQ(FindFreeWordNumber(KI.c_str()), 3);
    ASSERT_EQ(Write(Entry(7, "n", "c")), WRITE_DONE);
    ASSERT_EQ(Write(Entry(7, "n", "c")), WRITE_DONE);
    EXPECT_EQ(ListNames(KI), (Lines{"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}));
    EXPECT_EQ(ReadBytes(KI + "/4.txt"), "old");
    EXPECT_EQ(ReadBytes(KI + "/3.txt"), "n\r\nc");
}

// Windows finds 1.TXT when asked for 1.txt: the number is taken on every build.
TEST_F(WordFile, ANumberIsTakenWhateverTheCaseOfItsName) {
    WriteBytes(KI + "/1.TXT", "upper\r\ncase");
    WriteBytes(KI + "/2.Txt", "mixed\r\ncase");
    EXPECT_EQ(FindFreeWordNumber(KI.c_str()), 3);
    ASSERT_EQ(Write(Entry(7, "new", "c")), WRITE_DONE);
    EXPECT_EQ(ListNames(KI), (Lines{"1.TXT", "2.Txt", "3.txt"}));
    EXPECT_EQ(ReadBytes(KI + "/1.TXT"), "upper\r\ncase");
}

TEST_F(WordFile, AFolderTakesItsNumberAndOtherNamesTakeNone) {
    MakeFolder(KI + "/1.txt");
    WriteBytes(KI + "/01.txt", "zero\r\none");
    WriteBytes(KI + "/memo.txt", "memo\r\ntext");
    ASSERT_EQ(Write(Entry(7, "new", "c")), WRITE_DONE);
    EXPECT_TRUE(IsFolder(KI + "/1.txt"));
    EXPECT_EQ(ReadBytes(KI + "/2.txt"), "new\r\nc");

    Listed listed;
    EXPECT_EQ(ListWordFiles(7, 100, Collect, &listed), 3);
    std::sort(listed.paths.begin(), listed.paths.end());
    EXPECT_EQ(listed.paths, (Lines{KI + "/01.txt", KI + "/2.txt", KI + "/memo.txt"}));
}

TEST_F(WordFile, AFullCategoryShowsItsMessageAndWritesNothing) {
    const std::string folder = "DATA/日本語/や行/よ";
    for (int n = 1; n <= 9999; ++n) WriteBytes(folder + "/" + std::to_string(n) + ".txt", "w\r\nc");
    MessageBoxes boxes;
    EXPECT_EQ(Write(Entry(40, "more", "c")), WRITE_FULL);
    ASSERT_EQ(boxes.shown().size(), 1u);
    ShownBox box = boxes.shown()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, "確認メッセージ");
    EXPECT_EQ(box.text, "御免なさい。\n索引カテゴリ： よ\nには、これ以上登録できません。\n他の単語を削除して登録して下さい。");
    EXPECT_FALSE(box.hasCancel);
    EXPECT_EQ(ListNames(folder).size(), 9999u);
    EXPECT_EQ(FindFreeWordNumber(folder.c_str()), 0);
}

TEST_F(WordFile, AFailedWriteLeavesNothingAndSaysSo) {
    MessageBoxes boxes;
    WordEntry entry = Entry(51, "apple", "fruit");
    ASSERT_EQ(RemoveDirectoryA("DATA/英語/A"), TRUE);
    EXPECT_EQ(WriteWordLatin(&entry), WRITE_FAILED);
    EXPECT_FALSE(Exists("DATA/英語/A"));  // the store never makes a folder
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "確認メッセージ");
    EXPECT_NE(boxes.shown()[0].text.find("索引カテゴリ： A\n"), std::string::npos);
}

TEST_F(WordFile, NameLimitsOfTheReadingRule) {
    const std::string content = "L1\r\r\nL2\r\r\nL3\r\r\nL4\r\r\nL5";
    WriteBytes(KI + "/79.txt", std::string(79, 'n') + "\r\n" + content);
    ReadBack back = Read(KI + "/79.txt");
    EXPECT_EQ(back.name, std::string(79, 'n'));
    EXPECT_EQ(back.lines, (Lines{"", "L1", "L2", "L3", "L4"}));

    WriteBytes(KI + "/80.txt", std::string(79, 'n') + "m\r\n" + content);
    back = Read(KI + "/80.txt");
    EXPECT_EQ(back.name, std::string(79, 'n'));
    EXPECT_EQ(back.lines, (Lines{"m", "L1", "L2", "L3", "L4"}));

    WriteBytes(KI + "/78.txt", std::string(78, 'n') + "\r\n" + content);
    EXPECT_EQ(Read(KI + "/78.txt").lines, (Lines{"L1", "L2", "L3", "L4", "L5"}));
}

TEST_F(WordFile, ContentLineLimitsOfTheReadingRule) {
    auto lineOf = [&](int length) {
        std::string path = KI + "/line" + std::to_string(length) + ".txt";
        WriteBytes(path, "w\r\n" + std::string(length, 'x') + "\r\r\nnext");
        return Read(path).lines;
    };
    EXPECT_EQ(lineOf(82), (Lines{std::string(82, 'x'), "next", "", "", ""}));
    EXPECT_EQ(lineOf(83), (Lines{std::string(83, 'x') + "\r", "", "next", "", ""}));
    EXPECT_EQ(lineOf(84), (Lines{std::string(84, 'x'), "", "next", "", ""}));
    EXPECT_EQ(lineOf(85), (Lines{std::string(84, 'x'), "x", "next", "", ""}));

    // The last line may take 84 bytes; 420 bytes without a break fill all five reads.
    WriteBytes(KI + "/420.txt", "w\r\n" + std::string(420, 'y'));
    EXPECT_EQ(Read(KI + "/420.txt").lines, Lines(5, std::string(84, 'y')));

    // The cut falls on the byte count, inside a double-byte character if need be.
    std::string kanji;
    for (int i = 0; i < 43; ++i) kanji += "字";
    WriteBytes(KI + "/kanji.txt", "w\r\n" + kanji);
    Lines lines = Read(KI + "/kanji.txt").lines;
    EXPECT_EQ(lines[0], kanji.substr(0, 84));
    EXPECT_EQ(lines[1], kanji.substr(84));
}

TEST_F(WordFile, ForeignFilesReadByTheSameRule) {
    WriteBytes(KI + "/lf.txt", "ab\ncd\nef");
    ReadBack back = Read(KI + "/lf.txt");
    EXPECT_EQ(back.name, "ab");
    EXPECT_EQ(back.lines, (Lines{"cd", "ef", "", "", ""}));

    WriteBytes(KI + "/crlf.txt", "ab\r\ncd\r\nef\r\n");
    back = Read(KI + "/crlf.txt");
    EXPECT_EQ(back.name, "ab");
    EXPECT_EQ(back.lines, (Lines{"cd", "ef", "", "", ""}));

    WriteBytes(KI + "/cr.txt", "ab\rcd\ref");  // no LF: one line
    back = Read(KI + "/cr.txt");
    EXPECT_EQ(back.name, "ab\rcd\ref");
    EXPECT_EQ(back.lines, Lines(5, ""));

    WriteBytes(KI + "/eof.txt", "ab\r\ncd\x1A" "ef\r\ngh");
    back = Read(KI + "/eof.txt");
    EXPECT_EQ(back.name, "ab");
    EXPECT_EQ(back.lines, (Lines{"cd", "", "", "", ""}));

    WriteBytes(KI + "/empty.txt", "");
    back = Read(KI + "/empty.txt");
    EXPECT_TRUE(back.opened);
    EXPECT_EQ(back.name, "");
    EXPECT_EQ(back.lines, Lines(5, ""));

    WriteBytes(KI + "/six.txt", "n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n");
    EXPECT_EQ(Read(KI + "/six.txt").lines, (Lines{"1", "2", "3", "4", "5"}));

    back = Read(KI + "/missing.txt");
    EXPECT_FALSE(back.opened);
    EXPECT_EQ(back.name, "");
    EXPECT_EQ(back.lines, Lines(5, ""));
}

TEST_F(WordFile, AHugeFileGivesItsFirstSixLines) {
    std::string head = "big\r\n1\r\n2\r\n3\r\n4\r\n5\r\n";
    WriteBytes(KI + "/big.txt", head + std::string(100 * 1024 * 1024, 'q'));
    ReadBack back = Read(KI + "/big.txt");
    EXPECT_EQ(back.name, "big");
    EXPECT_EQ(back.lines, (Lines{"1", "2", "3", "4", "5"}));
}

// A file of zero bytes reads as text of no length however long it is: the
// reading must end all the same, and say the file is longer than a word's.
TEST_F(WordFile, AWholeReadingOfZeroBytesEndsAsTooLong) {
    WriteBytes(KI + "/zeros.txt", std::string(64 * 1024, '\0'));
    WordEntry entry{};
    EXPECT_EQ(ReadWordEntry((KI + "/zeros.txt").c_str(), &entry), ENTRY_TOO_LONG);
    WriteBytes(KI + "/short.txt", std::string(8, '\0'));
    EXPECT_EQ(ReadWordEntry((KI + "/short.txt").c_str(), &entry), ENTRY_NO_NAME);
}

Lines List(int category, int capacity = 10000) {
    Listed listed;
    int count = ListWordFiles(category, capacity, Collect, &listed);
    EXPECT_EQ(count < 0 ? 0 : count, static_cast<int>(listed.paths.size()));
    std::sort(listed.paths.begin(), listed.paths.end());
    return listed.paths;
}

TEST_F(WordFile, ListingSkipsDotsAndFoldersAndTakesEveryFile) {
    WriteBytes(KI + "/1.txt", "a\r\nb");
    WriteBytes(KI + "/memo", "m\r\nn");
    WriteBytes(KI + "/.hidden", "h\r\ni");
    WriteBytes(KI + "/メモ.txt", "j\r\nk");
    MakeFolder(KI + "/sub");
    WriteBytes(KI + "/sub/9.txt", "s\r\nt");
    Lines paths = List(7);
    EXPECT_EQ(paths, (Lines{KI + "/.hidden", KI + "/1.txt", KI + "/memo", KI + "/メモ.txt"}));
    EXPECT_EQ(Read(KI + "/メモ.txt").name, "j");

    EXPECT_EQ(List(8), Lines{});  // empty folder
    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/Q"));
    EXPECT_EQ(List(67), Lines{});  // missing folder
    EXPECT_EQ(List(37), Lines{});  // no such category
    Listed none;
    EXPECT_EQ(ListWordFiles(67, 10, Collect, &none), -1);
    EXPECT_EQ(ListWordFiles(37, 10, Collect, &none), -1);
    EXPECT_EQ(ListWordFiles(8, 10, Collect, &none), 0);  // there, but empty
}

// The order the platform's search gives is the listing order, the same on
// every build: names sorted as NTFS and Wine sort them (upper-cased UTF-16),
// neither the disk's own order nor the order of Shift-JIS bytes.
TEST_F(WordFile, ListingOrderIsTheSameOnEveryBuild) {
    Lines names;
    for (int n = 1; n <= 12; ++n) names.push_back(std::to_string(n) + ".txt");
    for (const char* name : {"B.txt", "a.txt", "_x.txt", "memo", "あ.txt", "ア.txt", "ｱ.txt", "Ａ.txt", "ｂ.txt", "漢.txt"})
        names.push_back(name);
    for (auto it = names.rbegin(); it != names.rend(); ++it) WriteBytes("DATA/記号/" + *it, "w\r\nc");

    Listed listed;
    ASSERT_EQ(ListWordFiles(81, 100, Collect, &listed), static_cast<int>(names.size()));
    Lines expected;
    for (const char* name : {"1.txt", "10.txt", "11.txt", "12.txt", "2.txt", "3.txt", "4.txt", "5.txt", "6.txt",
                             "7.txt", "8.txt", "9.txt", "a.txt", "B.txt", "memo", "_x.txt", "あ.txt", "ア.txt",
                             "漢.txt", "Ａ.txt", "ｂ.txt", "ｱ.txt"})
        expected.push_back(std::string("DATA/記号/") + name);
    EXPECT_EQ(listed.paths, expected);
}

TEST_F(WordFile, ListingStopsAtTheCallersCapacity) {
    for (int n = 1; n <= 5; ++n) WriteBytes("DATA/記号/" + std::to_string(n) + ".txt", "s\r\nc");
    EXPECT_EQ(List(81, 3).size(), 3u);
    EXPECT_EQ(List(81, 0).size(), 0u);
    EXPECT_EQ(List(81, 5).size(), 5u);

    // Files the visitor leaves out do not count against the capacity.
    int offered = 0;
    auto takeEveryOther = [](const char*, void* context) { return ++*static_cast<int*>(context) % 2 == 0; };
    EXPECT_EQ(ListWordFiles(81, 2, takeEveryOther, &offered), 2);
    EXPECT_EQ(offered, 4);
}

TEST_F(WordFile, LongNamesAreListedWhole) {
    std::string name(240, 'n');
    WriteBytes("DATA/英語/N/" + name, "long\r\nname");
    Lines paths = List(64);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], "DATA/英語/N/" + name);
    EXPECT_EQ(Read(paths[0]).name, "long");
}

// Removal reports nothing, whatever happens: the deletion dialog lists the
// folder again and shows what stayed.
TEST_F(WordFile, DeletingRemovesOneFileOnlyAndSaysNothing) {
    WriteBytes(KI + "/1.txt", "a\r\nb");
    WriteBytes(KI + "/2.txt", "c\r\nd");
    MakeFolder(KI + "/3.txt");
    MessageBoxes boxes;
    EXPECT_TRUE(DeleteWordFile((KI + "/1.txt").c_str()));
    EXPECT_FALSE(DeleteWordFile((KI + "/1.txt").c_str()));  // already gone
    EXPECT_FALSE(DeleteWordFile((KI + "/3.txt").c_str()));  // a folder is never removed
    EXPECT_EQ(ListNames(KI), (Lines{"2.txt", "3.txt"}));
    EXPECT_TRUE(boxes.shown().empty());
}

// A removal asked for by a confirmation: only while the file still reads,
// by the window's rule, as the entry shown; otherwise nothing is removed.
TEST_F(WordFile, AShownWordIsRemovedOnlyWhileTheFileStillHoldsIt) {
    const std::string path = KI + "/1.txt";
    WriteBytes(path, "ab\r\ncd\r\r\nef");
    char name[WORD_FIELD_SIZE], lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    ASSERT_TRUE(ReadWordFile(path.c_str(), name, lines));
    for (const char* other : {"ab\r\ncd\r\r\nxx", "xb\r\ncd\r\r\nef", "ab\r\ncd\r\r\nef\r\r\nmore", ""}) {
        WriteBytes(path, other);
        EXPECT_FALSE(DeleteShownWordFile(path.c_str(), name, lines)) << other;
        EXPECT_EQ(ReadBytes(path), other);
    }
    WriteBytes(path, "ab\ncd\r\nef");  // other bytes, the same entry to the reader
    EXPECT_TRUE(DeleteShownWordFile(path.c_str(), name, lines));
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(DeleteShownWordFile(path.c_str(), name, lines));
}

TEST_F(WordFile, AFileThatCannotBeRemovedStays) {
    const std::string path = KI + "/1.txt";
    WriteBytes(path, "kept\r\nc");
    MessageBoxes boxes;
    {
#ifdef _WIN32
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
#else
        ScopedMode folder(u8"DATA/日本語/か行/き", 0555);
        PermissionsBindRoot bind;
#endif
        EXPECT_FALSE(DeleteWordFile(path.c_str()));
#ifdef _WIN32
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
#endif
    }
    EXPECT_EQ(ReadBytes(path), "kept\r\nc");
    EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A link to a device that never ends: the whole reading stops where no word
// file could go on, in a child that is ended if it does not.
TEST_F(WordFile, AWholeReadingOfAFileThatNeverEndsStops) {
    ASSERT_EQ(symlink("/dev/zero", u8"DATA/記号/1.txt"), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        WordEntry entry{};
        _exit(ReadWordEntry("DATA/記号/1.txt", &entry) == ENTRY_TOO_LONG ? 0 : 1);  // the store's Shift-JIS name
    }
    int status = -1;
    for (int tenth = 0; tenth < 100 && waitpid(child, &status, WNOHANG) == 0; ++tenth) usleep(100 * 1000);
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the reading did not end within 10 s";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not read as too long";
}

// Things users' folders may hold that no word file is.
TEST_F(WordFile, APipeOrADanglingLinkReadsAsAnEmptyEntry) {
    ASSERT_EQ(mkfifo(u8"DATA/記号/pipe", 0600), 0);
    ASSERT_EQ(symlink("nowhere", u8"DATA/記号/link"), 0);
    Lines paths = List(81);
    EXPECT_EQ(paths, (Lines{"DATA/記号/link", "DATA/記号/pipe"}));
    for (const auto& path : paths) {
        ReadBack back = Read(path);  // must not hang on the pipe
        EXPECT_EQ(back.name, "");
        EXPECT_EQ(back.lines, Lines(5, ""));
    }
}

}  // namespace
#endif
