#include <text_stream.h>

#include "../support/test_folder.h"

#include <string>

namespace {

using wordoria::test::ListNames;
using wordoria::test::ReadBytes;
using wordoria::test::TestFolder;
using wordoria::test::WriteBytes;

class TextStream : public TestFolder {
protected:
    // Every line TextGets gives with the limit n, until it gives NULL.
    std::vector<std::string> ReadLines(const std::string& bytes, int n) {
        WriteBytes("in.txt", bytes);
        TextFile file;
        std::vector<std::string> lines;
        EXPECT_TRUE(TextOpenRead(&file, "in.txt"));
        char buffer[256];
        while (TextGets(buffer, n, &file) != nullptr && lines.size() < 50) lines.push_back(buffer);
        EXPECT_TRUE(TextClose(&file));
        return lines;
    }
};

TEST_F(TextStream, WritingStoresLfAsCrLfAndPassesCr) {
    TextFile file;
    ASSERT_EQ(TextCreateNew(&file, "out.txt"), TEXT_CREATED);
    EXPECT_TRUE(TextPuts("ab", &file));
    EXPECT_TRUE(TextPuts("\n", &file));
    EXPECT_TRUE(TextPuts("cd\r\nef", &file));
    EXPECT_TRUE(TextPuts("\r", &file));
    EXPECT_TRUE(TextClose(&file));
    EXPECT_EQ(ReadBytes("out.txt"), "ab\r\ncd\r\r\nef\r");
}

TEST_F(TextStream, ReadingTurnsCrLfIntoLfAndKeepsLoneCr) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ReadLines("ab\r\ncd\r\r\nef", 100), (V{"ab\n", "cd\r\n", "ef"}));
    EXPECT_EQ(ReadLines("a\rb\nc\r", 100), (V{"a\rb\n", "c\r"}));
    EXPECT_EQ(ReadLines("\r\r\r\n", 100), (V{"\r\r\n"}));
    EXPECT_EQ(ReadLines("x\n\ny", 100), (V{"x\n", "\n", "y"}));
    EXPECT_EQ(ReadLines("", 100), V{});
}

TEST_F(TextStream, Byte1AEndsTheTextForGood) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ReadLines("ab\x1A" "cd\nef", 100), (V{"ab"}));
    EXPECT_EQ(ReadLines("ab\n\x1A" "cd", 100), (V{"ab\n"}));
    EXPECT_EQ(ReadLines("ab\r\x1A", 100), (V{"ab\r"}));
    EXPECT_EQ(ReadLines("\x1A", 100), V{});
}

TEST_F(TextStream, ReadStopsAtTheLimitLikeFgets) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ReadLines("abcdef\n", 4), (V{"abc", "def", "\n"}));
    // The CR LF pair counts as one byte, even when it comes right at the limit.
    EXPECT_EQ(ReadLines("abc\r\nd", 5), (V{"abc\n", "d"}));
    EXPECT_EQ(ReadLines("abcd\r\n", 5), (V{"abcd", "\n"}));

    WriteBytes("in.txt", "");
    TextFile file;
    ASSERT_TRUE(TextOpenRead(&file, "in.txt"));
    char buffer[8] = "keep";
    EXPECT_EQ(TextGets(buffer, sizeof buffer, &file), nullptr);
    EXPECT_STREQ(buffer, "keep");  // nothing read leaves the buffer as it was
    TextClose(&file);
}

TEST_F(TextStream, PairsAndEndsAcrossBufferBoundaries) {
    // Long enough that a CR LF pair and a 0x1A fall on any read-ahead boundary.
    for (int length : {510, 511, 512, 1022, 1023, 1024, 2047}) {
        std::string line(length, 'a');
        auto lines = ReadLines(line + "\r\nb\rc\x1A" "d", 256);
        std::string joined;
        for (const auto& piece : lines) joined += piece;
        EXPECT_EQ(joined, line + "\nb\rc") << length;
    }

    std::string many;
    for (int i = 0; i < 700; ++i) many += "line\n";
    TextFile file;
    ASSERT_EQ(TextCreateNew(&file, "long.txt"), TEXT_CREATED);
    EXPECT_TRUE(TextPuts(many.c_str(), &file));
    EXPECT_TRUE(TextClose(&file));
    std::string expected;
    for (int i = 0; i < 700; ++i) expected += "line\r\n";
    EXPECT_EQ(ReadBytes("long.txt"), expected);
}

TEST_F(TextStream, CreationNeverOpensAnExistingEntry) {
    WriteBytes("taken.txt", "old");
    TextFile file;
    EXPECT_EQ(TextCreateNew(&file, "taken.txt"), TEXT_EXISTS);
    EXPECT_EQ(ReadBytes("taken.txt"), "old");
    EXPECT_EQ(TextCreateNew(&file, "no-such-folder/1.txt"), TEXT_FAILED);
    EXPECT_FALSE(TextOpenRead(&file, "no-such-file.txt"));
}

TEST_F(TextStream, JapaneseFileNames) {
    TextFile file;
    ASSERT_EQ(TextCreateNew(&file, "DATA/日本語/か行/き/単語.txt"), TEXT_CREATED);
    EXPECT_TRUE(TextPuts("漢字\n表示", &file));  // 表 ends in byte 0x5C
    EXPECT_TRUE(TextClose(&file));
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/単語.txt"), "漢字\r\n表示");
}

#ifndef _WIN32
// The same bytes as by name; no name until it is given one, and never one taken.
TEST_F(TextStream, AnUnnamedFileIsNamedOnlyWhenWholeAndNeverOverAnEntry) {
    TextFile file;
    ASSERT_EQ(TextCreateUnnamed(&file, "DATA/日本語/か行/き"), TEXT_CREATED);
    EXPECT_TRUE(TextPuts("漢字\n表示\r\n", &file));
    EXPECT_TRUE(ListNames("DATA/日本語/か行/き").empty());
    WriteBytes("DATA/日本語/か行/き/1.txt", "taken");
    EXPECT_EQ(TextPublish(&file, "DATA/日本語/か行/き/1.txt"), TEXT_EXISTS);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "taken");
    EXPECT_EQ(TextPublish(&file, "DATA/日本語/か行/き/2.txt"), TEXT_CREATED);
    EXPECT_TRUE(TextClose(&file));
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/2.txt"), "漢字\r\n表示\r\r\n");

    // Closed without a name, it leaves nothing behind.
    ASSERT_EQ(TextCreateUnnamed(&file, "DATA/英語/A"), TEXT_CREATED);
    EXPECT_TRUE(TextPuts("gone\n", &file));
    TextClose(&file);
    EXPECT_TRUE(ListNames("DATA/英語/A").empty());
    EXPECT_EQ(TextCreateUnnamed(&file, "no-such-folder"), TEXT_UNSUPPORTED);
}
#endif

}  // namespace
