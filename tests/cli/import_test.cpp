// What an import reads and what it stores a second time. Plain literals here
// are Shift-JIS (the store's bytes, and a spreadsheet's CSV); u8 literals
// are UTF-8.
#include "cli_runner.h"
#include "../support/test_folder.h"

#include <gtest/gtest.h>

namespace wordoria::test {
namespace {

const char kKi[] = "DATA/日本語/か行/き";
const char kA[] = "DATA/英語/A";

using Import = TestFolder;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(Import, ReadsUtf8WithOrWithoutAMarkElseShiftJisAndSaysWhich) {
    // As Japanese Excel saves "CSV (comma delimited)": Shift-JIS, CR LF.
    WriteBytes("../excel.csv", "category,name,content\r\nき,きつね,\"動物\r\n森に住む\"\r\nA,apple,りんご～\r\n");
    CliRun sjis = RunCli({"import", "../excel.csv"});
    ASSERT_EQ(sjis.status, 0) << sjis.err;
    EXPECT_TRUE(Holds(sjis.out, Said(sjis, u8"Shift-JIS として読みました", "read as Shift-JIS"))) << sjis.out;
    EXPECT_TRUE(Holds(sjis.err, Said(sjis, u8"excel.csv: UTF-8 ではないため、Shift-JIS", "excel.csv: not UTF-8, so read as Shift-JIS"))) << sjis.err;
    EXPECT_EQ(ReadBytes(std::string(kKi) + "/1.txt"), "きつね\r\n動物\r\r\n森に住む");
    EXPECT_EQ(ReadBytes(std::string(kA) + "/1.txt"), "apple\r\nりんご～");

    WriteBytes("../marked.csv", u8"\xEF\xBB\xBF" "category,name,content\r\nき,きりん,首が長い\r\n");
    CliRun marked = RunCli({"import", "../marked.csv"});
    ASSERT_EQ(marked.status, 0) << marked.err;
    EXPECT_TRUE(Holds(marked.out, Said(marked, u8"UTF-8 として読みました", "read as UTF-8"))) << marked.out;
    EXPECT_EQ(ReadBytes(std::string(kKi) + "/2.txt"), "きりん\r\n首が長い");

    // Latin-1: 0xE9 then a line break is neither; the first byte of each kind is named.
    WriteBytes("../latin1.csv", "category,name,content\r\nA,caf\xE9\r\n");
    CliRun neither = RunCli({"import", "../latin1.csv"});
    EXPECT_EQ(neither.status, 1);
    EXPECT_TRUE(Holds(neither.err, Said(neither,
                                           u8"latin1.csv:2: UTF-8 ではありません（ファイルの 29 バイト目、0xE9）。"
                                           u8"Shift-JIS でもありません（2 行目、ファイルの 29 バイト目、0xE9）",
                                           "latin1.csv:2: not UTF-8 (byte 29 of the file, 0xE9), nor Shift-JIS "
                                           "(line 2, byte 29 of the file, 0xE9)")))
        << neither.err;
    // Shift-JIS after a UTF-8 mark is not taken for Shift-JIS.
    WriteBytes("../mixed.csv", std::string(u8"\xEF\xBB\xBF" "category,name,content\r\n") + "き,きく,花\r\n");
    CliRun mixed = RunCli({"import", "../mixed.csv"});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_TRUE(Holds(mixed.err, Said(mixed,
                                         u8"mixed.csv:2: UTF-8 ではありません（ファイルの 27 バイト目、0x82）。"
                                         u8"UTF-8 の BOM で始まっています",
                                         "mixed.csv:2: not UTF-8 (byte 27 of the file, 0x82), though it begins "
                                         "with a UTF-8 byte-order mark")))
        << mixed.err;
    EXPECT_EQ(ListNames(kKi).size(), 2u);
}

TEST_F(Import, AWordAlreadyStoredIsSkippedUnlessKeptAndARunAgainStoresNothingTwice) {
    WriteBytes(std::string(kKi) + "/1.txt", "きつね\r\n動物\r\r\n森");
    WriteBytes("../words.csv", u8"category,name,content\n"
                               u8"き,きつね,\"動物\n森\"\n"     // stored already
                               u8"き,きつね,動物\n"             // another content: another word
                               u8"Ａ,apple,りんご\n"
                               u8"a,apple,りんご\n");           // the same category, as a repeat of the row before
    CliRun first = RunCli({"import", "../words.csv"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(Holds(first.out, Said(first, u8"2 語を登録しました", "2 words stored"))) << first.out;
    EXPECT_TRUE(Holds(first.out, Said(first, u8"登録済みの単語と同じ 2 行は飛ばしました", "2 rows repeated a stored word and were skipped"))) << first.out;
    EXPECT_EQ(ListNames(kKi), (std::vector<std::string>{"1.txt", "2.txt"}));
    EXPECT_EQ(ListNames(kA), (std::vector<std::string>{"1.txt"}));

    CliRun again = RunCli({"import", "--dry-run", "../words.csv"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(Holds(again.out, Said(again, u8"0 語を登録できます", "0 words can be stored"))) << again.out;
    CliRun rerun = RunCli({"import", "../words.csv"});
    EXPECT_TRUE(Holds(rerun.out, Said(rerun, u8"0 語を登録しました", "0 words stored"))) << rerun.out;
    EXPECT_EQ(ListNames(kKi).size(), 2u);

    CliRun kept = RunCli({"import", "--keep-duplicates", "../words.csv"});
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_TRUE(Holds(kept.out, Said(kept, u8"4 語を登録しました", "4 words stored"))) << kept.out;
    EXPECT_EQ(ListNames(kKi).size(), 4u);
    EXPECT_EQ(ReadBytes(std::string(kKi) + "/3.txt"), "きつね\r\n動物\r\r\n森");

    CliRun check = RunCli({"check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Holds(check.out, u8"DATA/日本語/か行/き/3.txt: " + Said(check, u8"「1.txt」と同じ", "the same word as 1.txt"))) << check.out;
    EXPECT_TRUE(Holds(check.out, u8"DATA/日本語/か行/き/4.txt: " + Said(check, u8"「2.txt」と同じ", "the same word as 2.txt"))) << check.out;
    EXPECT_TRUE(Holds(check.out, u8"DATA/英語/A/2.txt: " + Said(check, u8"「1.txt」と同じ", "the same word as 1.txt"))) << check.out;
    EXPECT_TRUE(Holds(check.out, u8"DATA/英語/A/3.txt: " + Said(check, u8"「1.txt」と同じ", "the same word as 1.txt"))) << check.out;
    EXPECT_FALSE(Holds(check.out, u8"DATA/日本語/か行/き/2.txt:")) << check.out;
}

// 〜 and − as Linux types them are stored as code page 932 keeps them, and
// search finds the word by either form.
TEST_F(Import, TypedStandInsAreStoredAsCodePage932KeepsThemAndFoundEitherWay) {
    WriteBytes("../typed.csv", u8"category,name,content\nき,きゅう〜,\"−1 ‖ ¢\"\n");
    CliRun run = RunCli({"import", "../typed.csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(std::string(kKi) + "/1.txt"), "きゅう\x81\x60\r\n\x81\x7C" "1 \x81\x61 \x81\x91");
    for (const char* typed : {u8"う〜", u8"う～", u8"−1", u8"－1"}) {
        CliRun search = RunCli({"search", typed});
        EXPECT_EQ(search.status, 0) << typed;
        EXPECT_TRUE(Holds(search.out, u8"き/1.txt")) << typed << search.out;
    }
}

TEST_F(Import, ARecordThatNeverEndsIsRefusedAtItsLineWithNothingStored) {
    std::string csv = u8"category,name,content\nき,きつね,動物\nき,\"きりん,";
    csv += std::string((1 << 20) + 10, 'x');
    WriteBytes("../open.csv", csv);
    CliRun run = RunCli({"import", "../open.csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Holds(run.err, Said(run, u8"open.csv:3: 1 MiB を超えるレコード", "open.csv:3: a record longer than 1 MiB"))) << run.err;
    EXPECT_TRUE(ListNames(kKi).empty());
}

}  // namespace
}  // namespace wordoria::test
