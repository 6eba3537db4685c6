// A confirmed registration or removal is on the disk when the call returns:
// fsync of the word file with all its bytes, then of its folder. Reading and
// listing, which the view does on every press, flush nothing.
#ifndef _WIN32
#include <word_file.h>

#include "../support/test_folder.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

struct Flush {
    std::string path;  // what the descriptor names, as /proc tells
    bool folder;
    off_t size;
    nlink_t links;     // 0: a file with no name in any folder
};
std::vector<Flush> g_flushes;
// Each file-system sync: the words each folder then shows by name.
std::vector<std::vector<std::string>> g_namedAtSyncfs;
std::vector<std::string> g_syncfsFolders;
std::function<void()> g_atSyncfs;
// Run at each flush, before it reaches the kernel: another program's move.
std::function<void(const Flush&)> g_atFlush;

}  // namespace

// Stands in for the C library's fsync in this test program: the store's own
// calls land here, are recorded, and still reach the kernel.
extern "C" int fsync(int fd) {
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t length = readlink(link, target, sizeof target - 1);
    struct stat info {};
    fstat(fd, &info);
    g_flushes.push_back(
        {length > 0 ? std::string(target, length) : "?", S_ISDIR(info.st_mode), info.st_size, info.st_nlink});
    if (g_atFlush) g_atFlush(g_flushes.back());
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int syncfs(int fd) {
    std::vector<std::string> named;
    for (const std::string& folder : g_syncfsFolders) {
        for (const std::string& name : wordoria::test::ListNames(folder)) named.push_back(folder + "/" + name);
    }
    g_namedAtSyncfs.push_back(named);
    if (g_atSyncfs) g_atSyncfs();
    return static_cast<int>(syscall(SYS_syncfs, fd));
}

namespace {

using namespace wordoria::test;

class DiskFlush : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        g_flushes.clear();
        g_atFlush = nullptr;
        g_namedAtSyncfs.clear();
        g_syncfsFolders.clear();
        g_atSyncfs = nullptr;
    }
    void TearDown() override {
        g_atFlush = nullptr;
        TestFolder::TearDown();
    }
    // As /proc names it: the real path, whatever links lead to the test's folder.
    std::string Native(const char* utf8) { return std::filesystem::canonical(root()).string() + "/" + utf8; }
};

TEST_F(DiskFlush, ARegistrationFlushesTheFileWholeThenItsFolder) {
    WordEntry entry{};
    entry.nCategory = 7;
    std::strcpy(entry.szName, "ab");
    std::strcpy(entry.szContent, "cd\r\nef");
    ASSERT_EQ(WriteWordKana(&entry), WRITE_DONE);
    ASSERT_EQ(g_flushes.size(), 2u);
    EXPECT_FALSE(g_flushes[0].folder);
    EXPECT_EQ(g_flushes[0].size, 11);  // every byte written before the flush,
    EXPECT_EQ(g_flushes[0].links, 0u); // and no name in the folder yet
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "ab\r\ncd\r\r\nef");
    EXPECT_EQ(g_flushes[1].path, Native(u8"DATA/日本語/か行/き"));
    EXPECT_TRUE(g_flushes[1].folder);
}

TEST_F(DiskFlush, ARemovalFlushesItsFolderAndReadingFlushesNothing) {
    WriteBytes("DATA/記号/1.txt", "w\r\nc");
    char name[WORD_FIELD_SIZE], lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    ASSERT_TRUE(ReadWordFile("DATA/記号/1.txt", name, lines));
    auto visit = [](const char*, void*) { return true; };
    EXPECT_EQ(ListWordFiles(81, 10, visit, nullptr), 1);
    EXPECT_TRUE(g_flushes.empty());

    ASSERT_TRUE(DeleteWordFile("DATA/記号/1.txt"));
    ASSERT_EQ(g_flushes.size(), 1u);
    EXPECT_EQ(g_flushes[0].path, Native(u8"DATA/記号"));
    EXPECT_TRUE(g_flushes[0].folder);

    g_flushes.clear();
    EXPECT_FALSE(DeleteWordFile("DATA/記号/1.txt"));  // nothing removed, nothing to flush
    EXPECT_TRUE(g_flushes.empty());
}

// Another program takes the probed number while the word, still unnamed, is
// flushed: the word takes the next free number and replaces nothing.
class StoreUnnamedWrite : public DiskFlush {};

TEST_F(StoreUnnamedWrite, ANumberTakenBeforeTheNamingGoesToTheNextFreeOne) {
    WriteBytes("DATA/日本語/か行/き/2.txt", "two\r\nkept");
    g_atFlush = [](const Flush& flush) {
        if (flush.links == 0 && !Exists("DATA/日本語/か行/き/1.txt")) WriteBytes("DATA/日本語/か行/き/1.txt", "one\r\nkept");
    };
    WordEntry entry{};
    entry.nCategory = 7;
    std::strcpy(entry.szName, "ab");
    std::strcpy(entry.szContent, "cd");
    ASSERT_EQ(StoreWordEntry(&entry), WRITE_DONE);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "one\r\nkept");
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/2.txt"), "two\r\nkept");
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/3.txt"), "ab\r\ncd");
    EXPECT_EQ(ListNames("DATA/日本語/か行/き"), (std::vector<std::string>{"1.txt", "2.txt", "3.txt"}));
}

// An import's words: written unnamed, put on the disk together, then named
// and their folders flushed once a batch; a number taken meanwhile is skipped.
TEST_F(StoreUnnamedWrite, ABatchSyncsOnceBeforeNamingAndFlushesEachFolderOnce) {
    const char ki[] = "DATA/日本語/か行/き";
    const char symbol[] = "DATA/記号";
    g_syncfsFolders = {ki, symbol};
    WriteBytes("DATA/日本語/か行/き/3.txt", "three\r\nkept");
    g_atSyncfs = [] {
        if (!Exists("DATA/記号/2.txt")) WriteBytes("DATA/記号/2.txt", "two\r\nkept");
    };
    BeginWordBatch();
    const int words = WORD_BATCH_SIZE + 6;
    for (int i = 0; i < words; i++) {
        WordEntry entry{};
        entry.nCategory = i % 2 == 0 ? 7 : CATEGORY_SYMBOL;
        std::snprintf(entry.szName, sizeof entry.szName, "w%d", i);
        std::strcpy(entry.szContent, "c\r\nd");
        ASSERT_EQ(QueueWordEntry(&entry), WRITE_DONE) << i;
        EXPECT_EQ(WordBatchStored(), i + 1 < WORD_BATCH_SIZE ? 0 : WORD_BATCH_SIZE) << i;
    }
    ASSERT_EQ(EndWordBatch(), WRITE_DONE);
    EXPECT_EQ(WordBatchStored(), words);

    // Two batches: nothing of a batch has a name when it is synced.
    ASSERT_EQ(g_namedAtSyncfs.size(), 2u);
    EXPECT_EQ(g_namedAtSyncfs[0], (std::vector<std::string>{std::string(ki) + "/3.txt"}));
    EXPECT_EQ(g_namedAtSyncfs[1].size(), 1u + 1 + WORD_BATCH_SIZE);  // 3.txt, 2.txt, the first batch
    // No word file is flushed alone; each folder once a batch.
    ASSERT_EQ(g_flushes.size(), 4u);
    for (const Flush& flush : g_flushes) EXPECT_TRUE(flush.folder) << flush.path;

    std::vector<std::string> kiNames = ListNames(ki), symbolNames = ListNames(symbol);
    EXPECT_EQ(kiNames.size(), words / 2 + 1u);
    EXPECT_EQ(symbolNames.size(), words / 2 + 1u);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "w0\r\nc\r\r\nd");
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/3.txt"), "three\r\nkept");
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/4.txt"), "w4\r\nc\r\r\nd");
    EXPECT_EQ(ReadBytes("DATA/記号/1.txt"), "w1\r\nc\r\r\nd");
    EXPECT_EQ(ReadBytes("DATA/記号/2.txt"), "two\r\nkept");
    EXPECT_EQ(ReadBytes("DATA/記号/3.txt"), "w3\r\nc\r\r\nd");
    EXPECT_EQ(ReadBytes("DATA/記号/" + std::to_string(words / 2 + 1) + ".txt"),
              "w" + std::to_string(words - 1) + "\r\nc\r\r\nd");
}

}  // namespace
#endif
