// wordoria-cli from outside, as a user runs it: on Linux, and as
// wordoria-cli.exe under Wine. Plain literals here are Shift-JIS (the
// store's bytes); u8 literals are the UTF-8 the tool speaks.
#include "cli_runner.h"
#include "../support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <windows.h>

namespace wordoria::test {
namespace {

// A word file as a registration writes it: name, CR LF, lines joined by CR CR LF.
std::string WordBytes(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes = name + "\r\n";
    for (size_t i = 0; i < lines.size(); i++) bytes += (i > 0 ? "\r\r\n" : "") + lines[i];
    return bytes;
}

const char kKi[] = "DATA/日本語/か行/き";
const char kNe[] = "DATA/日本語/な行/ね";
const char kSo[] = "DATA/日本語/さ行/そ";
const char kA[] = "DATA/英語/A";
const char kSymbol[] = "DATA/記号";

void PutWord(const std::string& folder, int number, const std::string& bytes) {
    WriteBytes(folder + "/" + std::to_string(number) + ".txt", bytes);
}

// Every word file of the tree: folder -> sorted contents, and folder -> names.
std::map<std::string, std::vector<std::string>> Contents(const std::vector<std::string>& folders) {
    std::map<std::string, std::vector<std::string>> contents;
    for (const std::string& folder : folders) {
        for (const std::string& name : ListNames(folder)) contents[folder].push_back(ReadBytes(folder + "/" + name));
        std::sort(contents[folder].begin(), contents[folder].end());
    }
    return contents;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

using Cli = TestFolder;

TEST_F(Cli, ExportThenImportIntoAnEmptyTreeGivesTheSameWordFiles) {
    std::string longName;
    for (int i = 0; i < 40; i++) longName += "表";  // 80 bytes, each ending in 0x5C
    std::string fullLine(82, 'x');
    PutWord(kKi, 1, WordBytes("きつね", {"動物, \"賢い\"", "Fox です"}));
    PutWord(kKi, 2, WordBytes(longName, {fullLine, fullLine, fullLine, fullLine, std::string(84, 'y')}));
    PutWord(kSo, 1, WordBytes("ソース", {"ｿｰｽ（半角）"}));
    PutWord(kA, 1, WordBytes("apple", {"りんご"}));
    PutWord(kSymbol, 1, WordBytes("＠", {"アットマーク"}));
    for (int i = 1; i <= 12; i++) PutWord(kNe, i, WordBytes("ねこ" + std::to_string(i), {"猫"}));

    CliRun exported = RunCli({"export"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out.substr(0, 28), "category,name,content,file\r\n");
    EXPECT_NE(exported.out.find(u8"き,きつね,\"動物, \"\"賢い\"\"\nFox です\",DATA/日本語/か行/き/1.txt\r\n"),
              std::string::npos)
        << exported.out;
    // One record per entry, in listing order: 1, 10, 11, 12, 2, ... as the window lists.
    EXPECT_LT(exported.out.find(u8"ねこ10,"), exported.out.find(u8"ねこ2,"));
    WriteBytes("../export.csv", exported.out);

    std::vector<std::string> folders = {kKi, kNe, kSo, kA, kSymbol};
    auto before = Contents(folders);
    std::vector<std::string> kiNames = ListNames(kKi);
    for (const std::string& folder : folders)
        for (const std::string& name : ListNames(folder)) ASSERT_TRUE(DeleteFileA((folder + "/" + name).c_str()));

    CliRun imported = RunCli({"import", "../export.csv"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("17"), std::string::npos) << imported.out;
    EXPECT_EQ(Contents(folders), before);
    EXPECT_EQ(ListNames(kKi), kiNames);
    // Each row under the first free number, in the order of the rows.
    EXPECT_EQ(ReadBytes(std::string(kNe) + "/2.txt"), WordBytes("ねこ10", {"猫"}));
    EXPECT_EQ(RunCli({"export"}).out.size(), exported.out.size());
}

TEST_F(Cli, ExportOfWordFilesTheStoreWouldNotHaveWrittenStopsUnlessToldToGoOn) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物"}));
    PutWord(kKi, 2, "");
    PutWord(kKi, 3, WordBytes("きりん", {std::string(2000, 'x')}));
    const std::string empty = u8"DATA/日本語/か行/き/2.txt: not as the store writes a word: it is empty";
    const std::string tooLong = u8"DATA/日本語/か行/き/3.txt: not as the store writes a word: it is longer than";

    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{{"export"}, {"export", u8"き"}}) {
        CliRun stopped = RunCli(arguments);
        EXPECT_EQ(stopped.status, 1);
        EXPECT_EQ(stopped.out, "");  // no CSV that looks whole
        EXPECT_NE(stopped.err.find(empty), std::string::npos) << stopped.err;
        EXPECT_NE(stopped.err.find(tooLong), std::string::npos) << stopped.err;
        EXPECT_NE(stopped.err.find(u8"2.txt: 登録で書かれた形ではありません：空です。"), std::string::npos);
        EXPECT_EQ(stopped.err.find("1.txt"), std::string::npos) << stopped.err;
        EXPECT_NE(stopped.err.find("--keep-going"), std::string::npos) << stopped.err;
    }
    for (std::vector<std::string> arguments :
         std::vector<std::vector<std::string>>{{"export", "--keep-going"}, {"export", u8"き", "--keep-going"}}) {
        CliRun kept = RunCli(arguments);
        EXPECT_EQ(kept.status, 0) << kept.err;
        EXPECT_NE(kept.out.find(u8"き,きつね,動物,DATA/日本語/か行/き/1.txt\r\n"), std::string::npos) << kept.out;
        EXPECT_NE(kept.out.find(u8"き,,,DATA/日本語/か行/き/2.txt\r\n"), std::string::npos) << kept.out;
        EXPECT_NE(kept.out.find(u8"き,きりん,xxx"), std::string::npos) << kept.out;
        EXPECT_NE(kept.err.find(empty), std::string::npos) << kept.err;
        EXPECT_NE(kept.err.find(tooLong), std::string::npos) << kept.err;
    }
}

TEST_F(Cli, SearchFindsByKanaKanjiAndLatinOfEitherCaseAndWidth) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物", "Fox"}));
    PutWord(kNe, 1, WordBytes("猫", {"ＣＡＴ", "ねこ"}));
    PutWord(kA, 1, WordBytes("Apple", {"りんご"}));

    CliRun kana = RunCli({"search", u8"つね"});
    EXPECT_EQ(kana.status, 0);
    EXPECT_EQ(kana.out, u8"き\tDATA/日本語/か行/き/1.txt\tきつね\t動物\n");
    EXPECT_EQ(RunCli({"search", u8"猫"}).out, u8"ね\tDATA/日本語/な行/ね/1.txt\t猫\tＣＡＴ\n");
    // The content's later lines count too.
    EXPECT_EQ(Lines(RunCli({"search", u8"ねこ"}).out).size(), 1u);
    for (const char* fox : {u8"fox", u8"FOX", u8"ｆｏｘ"}) EXPECT_EQ(Lines(RunCli({"search", fox}).out).size(), 1u) << fox;
    for (const char* cat : {u8"cat", u8"Ｃａｔ"}) EXPECT_EQ(Lines(RunCli({"search", cat}).out).size(), 1u) << cat;
    EXPECT_EQ(RunCli({"search", u8"APPLE"}).out, u8"A\tDATA/英語/A/1.txt\tApple\tりんご\n");
    CliRun none = RunCli({"search", u8"犬"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "");
}

TEST_F(Cli, AFailedImportWritesNothingAndSaysWhichLines) {
    std::string longName(81, 'n');
    WriteBytes("../bad.csv", std::string(u8"category,name,content\r\n") +
                                 u8"き,きつね,動物\r\n" +                    // line 2: good
                                 u8"ゐ,ゐど,井戸\r\n" +                      // 3: no such category
                                 "A," + longName + ",x\r\n" +                // 4: name too long
                                 u8"ね,ねこ,\"1\n2\n3\n4\n5\n6\"\r\n" +      // 5-10: six lines
                                 u8"ね,ねずみ,\U0001F42D\r\n" +              // 11: no Shift-JIS form
                                 u8"記号,＠\r\n" +                           // 12: a field missing
                                 u8"Q,,空の名前\r\n");                       // 13: empty name
    CliRun failed = RunCli({"import", "../bad.csv"});
    EXPECT_EQ(failed.status, 1);
    for (const char* line : {":3:", ":4:", ":5:", ":11:", ":12:", ":13:"})
        EXPECT_NE(failed.err.find(std::string("bad.csv") + line), std::string::npos) << line << failed.err;
    EXPECT_EQ(failed.err.find("bad.csv:2:"), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find(u8"何も登録していません"), std::string::npos);
    EXPECT_NE(failed.err.find("nothing was stored"), std::string::npos);
    EXPECT_TRUE(ListNames(kKi).empty());

    WriteBytes("../good.csv", std::string(u8"name,category,content,file\n") + u8"きつね,き,\"動物\r\nFox\",x.txt\n");
    CliRun dry = RunCli({"import", "--dry-run", "../good.csv"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(ListNames(kKi).empty());
    EXPECT_EQ(RunCli({"import", "../good.csv"}).status, 0);
    EXPECT_EQ(ReadBytes(std::string(kKi) + "/1.txt"), WordBytes("きつね", {"動物", "Fox"}));

    WriteBytes("../broken.csv", "category,name,content\n\xE3\x81\x8D,\"open,x\n");
    CliRun broken = RunCli({"import", "../broken.csv"});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("broken.csv:2:"), std::string::npos) << broken.err;
    EXPECT_EQ(ListNames(kKi).size(), 1u);
}

TEST_F(Cli, ImportRefusesNulAndCtrlZWhichAWordFileCannotKeepAndSaysWhere) {
    // Line:column is the byte's own place, the column in characters.
    WriteBytes("../control.csv", std::string(u8"category,name,content\r\n") + u8"き,きつね,動物\r\n" +  // 2: good
                                     u8"き,あい" + std::string(1, '\0') + u8"う,x\r\n" +                 // 3:5 the name
                                     u8"ね,ねこ,\"猫\n\"\"ab\x1A\"\r\n" +                               // 5:5 the content
                                     "\x1A" + u8",x,y\r\n");                                          // 6:1 the category
    CliRun run = RunCli({"import", "../control.csv"});
    EXPECT_EQ(run.status, 1);
    for (const char* said : {"control.csv:3:5: the name holds a NUL byte (0x00)",
                             "control.csv:5:5: the content holds byte 0x1A (Ctrl+Z)",
                             "control.csv:6:1: the category holds byte 0x1A"})
        EXPECT_NE(run.err.find(said), std::string::npos) << said << "\n" << run.err;
    EXPECT_NE(run.err.find(u8"control.csv:3:5: 単語名に NUL（0x00）があります。"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("control.csv:2:"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(std::string(1, '\0')), std::string::npos);
    EXPECT_NE(run.err.find("nothing was stored"), std::string::npos);
    EXPECT_TRUE(ListNames(kKi).empty());
    EXPECT_TRUE(ListNames(kNe).empty());
}

TEST_F(Cli, ImportOfTextThatIsNotUtf8NamesTheLineAndTheFilesByte) {
    // The byte-order mark counts: the byte is the file's, counted from 1.
    std::string head = std::string("\xEF\xBB\xBF") + u8"category,name,content\r\n" + u8"き,きつね,動物\r\n" +
                       u8"ね,ねこ,\"猫\n";
    struct Case {
        const char* file;
        std::string bad;  // what follows head, its first byte the first that is not UTF-8
        const char* value;
    } cases[] = {{"latin1.csv", "\xE9t\xE9\"\r\n", "0xE9"},
                 {"cut.csv", "\xE3\x81", "0xE3"},
                 {"surrogate.csv", "\xED\xA0\x80\"\r\n", "0xED"}};
    for (const Case& c : cases) {
        WriteBytes(std::string("../") + c.file, head + c.bad);
        CliRun run = RunCli({"import", std::string("../") + c.file});
        EXPECT_EQ(run.status, 1) << c.file;
        std::string where = std::string(c.file) + ":4: ";
        std::string byte = std::to_string(head.size() + 1);
        EXPECT_NE(run.err.find(where + "not UTF-8 (byte " + byte + " of the file, " + c.value + ")"),
                  std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find(where + u8"UTF-8 ではありません（ファイルの " + byte + u8" バイト目"), std::string::npos)
            << run.err;
    }
    EXPECT_TRUE(ListNames(kKi).empty());
}

TEST_F(Cli, CheckFindsPlantedProblems) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物"}));
    CliRun clean = RunCli({"check"});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_EQ(clean.out, "");

    RemoveNativeFolder(u8"DATA/英語/Q");
    WriteBytes("DATA/日本語/あ行/あ/notes.txt", WordBytes("メモ", {"x"}));
    PutWord(kKi, 2, WordBytes("ろくぎょう", {"1", "2", "3", "4", "5", "6"}));
    PutWord(kKi, 3, WordBytes(std::string(79, 'n'), {"名前の行が読み切れない"}));
    PutWord(kKi, 4, "きつね\r\n一行目\n二行目は LF だけの後");
    PlantNativeFile(u8"DATA/日本語/な行/ね", u8"한.txt");
    for (int i = 1; i <= 9900; i++) PutWord(kSymbol, i, WordBytes("w" + std::to_string(i), {"c"}));

    CliRun found = RunCli({"check"});
    EXPECT_EQ(found.status, 1);
    for (const char* where : {u8"DATA/英語/Q:", u8"DATA/日本語/あ行/あ/notes.txt:", u8"DATA/日本語/か行/き/2.txt:",
                              u8"DATA/日本語/か行/き/3.txt:", u8"DATA/日本語/か行/き/4.txt:",
                              u8"DATA/記号:"})
        EXPECT_NE(found.out.find(where), std::string::npos) << where << "\n" << found.out;
    // Said in the console's code page, which on Windows has no 한 either.
    EXPECT_NE(found.out.find(u8"な行/ね/"), std::string::npos) << found.out;
    EXPECT_NE(found.out.find("cannot be written in Shift-JIS"), std::string::npos) << found.out;
    // Lines that end in LF alone read whole; the file is still not as the store writes.
    EXPECT_EQ(found.out.find(u8"き/4.txt: the window shows it cut"), std::string::npos) << found.out;
    EXPECT_EQ(found.out.find(u8"き/1.txt"), std::string::npos) << found.out;
    EXPECT_NE(found.out.find("9900"), std::string::npos);
}

TEST_F(Cli, ListsCountsAndOneCategorysWords) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物"}));
    PutWord(kKi, 2, WordBytes("きりん", {"動物"}));
    PutWord("DATA/英語/Q", 1, WordBytes("queen", {"女王"}));

    CliRun counts = RunCli({"list"});
    EXPECT_EQ(counts.status, 0);
    std::vector<std::string> lines = Lines(counts.out);
    ASSERT_EQ(lines.size(), 73u);
    EXPECT_EQ(lines.front(), u8"あ\t0");
    EXPECT_NE(counts.out.find(u8"\nき\t2\n"), std::string::npos);
    EXPECT_EQ(lines.back(), u8"記号\t0");

    EXPECT_EQ(RunCli({"list", u8"き"}).out, u8"1.txt\tきつね\n2.txt\tきりん\n");
    for (const char* q : {"Q", "q", u8"Ｑ"}) EXPECT_EQ(RunCli({"list", q}).out, u8"1.txt\tqueen\n") << q;
    EXPECT_EQ(RunCli({"--data", "..", "list", u8"き"}).status, 1);  // no DATA there
}

#ifndef _WIN32
// Standard output on a full disk: what did not get out must not pass for done,
// whether it failed on a write of its own (a long export) or only when the
// last buffer went out.
TEST_F(Cli, OutputThatCannotBeWrittenIsSaidAndExitsOne) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物"}));
    for (int i = 1; i <= 200; i++) PutWord(kNe, i, WordBytes("ねこ" + std::to_string(i), {"猫"}));
    WriteBytes("DATA/日本語/あ行/あ/notes.txt", WordBytes("メモ", {"x"}));
    WriteBytes("../good.csv", std::string(u8"category,name,content\n") + u8"き,きりん,動物\n");
    std::string said = std::string("cannot write to standard output: ") + strerror(ENOSPC);
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
             {"export"}, {"export", u8"き"}, {"list"}, {"list", u8"き"}, {"search", u8"ねこ"}, {"check"},
             {"import", "--dry-run", "../good.csv"}, {"--help"}}) {
        CliRun run = RunCli(arguments, "/dev/full");
        EXPECT_EQ(run.status, 1) << arguments[0];
        EXPECT_NE(run.err.find(said), std::string::npos) << arguments[0] << "\n" << run.err;
        EXPECT_NE(run.err.find(u8"標準出力に書き込めませんでした"), std::string::npos) << run.err;
    }
    // Nothing to say is nothing lost.
    EXPECT_EQ(RunCli({"search", u8"犬"}, "/dev/full").status, 0);
}
#endif

TEST_F(Cli, UsageErrorsExitTwoWithBothLanguages) {
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
             {}, {"remove"}, {"list", u8"ゐ"}, {"import"}, {"search"}, {"check", "x"}, {"--data"}}) {
        CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_NE(run.err.find("usage: wordoria-cli"), std::string::npos) << run.err;
        // A Japanese line and an English line.
        EXPECT_GE(Lines(run.err).size(), 3u) << run.err;
    }
}

}  // namespace
}  // namespace wordoria::test
