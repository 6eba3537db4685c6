// wordoria-cli from outside, as a user runs it: on Linux, and as
// wordoria-cli.exe under Wine. Plain literals here are Shift-JIS (the
// store's bytes); u8 literals are the UTF-8 the tool speaks.
#include "cli_runner.h"
#include "../support/test_folder.h"

#include <data_tree.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
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
    auto empty = [](const CliRun& run) {
        return u8"DATA/日本語/か行/き/2.txt: " + Said(run, u8"登録で書かれた形ではありません：空です。",
                                                      "not as the store writes a word: it is empty");
    };
    auto tooLong = [](const CliRun& run) {
        return u8"DATA/日本語/か行/き/3.txt: " + Said(run, u8"登録で書かれた形ではありません：単語ファイルとして長すぎます",
                                                      "not as the store writes a word: it is longer than");
    };

    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{{"export"}, {"export", u8"き"}}) {
        CliRun stopped = RunCli(arguments);
        EXPECT_EQ(stopped.status, 1);
        EXPECT_EQ(stopped.out, "");  // no CSV that looks whole
        EXPECT_NE(stopped.err.find(empty(stopped)), std::string::npos) << stopped.err;
        EXPECT_NE(stopped.err.find(tooLong(stopped)), std::string::npos) << stopped.err;
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
        EXPECT_NE(kept.err.find(empty(kept)), std::string::npos) << kept.err;
        EXPECT_NE(kept.err.find(tooLong(kept)), std::string::npos) << kept.err;
    }
}

TEST_F(Cli, SearchFindsByKanaKanjiAndLatinOfEitherCaseAndWidthAndExitsOneOnNothing) {
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
    // As grep: 1 when nothing is found, with nothing said.
    CliRun none = RunCli({"search", u8"犬"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "");
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
    EXPECT_NE(failed.err.find(Said(failed, u8"何も登録していません", "nothing was stored")), std::string::npos);
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
    for (const std::string& said :
         {Said(run, u8"control.csv:3:5: 単語名に NUL（0x00）があります。", "control.csv:3:5: the name holds a NUL byte (0x00)"),
          Said(run, u8"control.csv:5:5: 内容に 0x1A（Ctrl+Z）があります。", "control.csv:5:5: the content holds byte 0x1A (Ctrl+Z)"),
          Said(run, u8"control.csv:6:1: 索引カテゴリに 0x1A", "control.csv:6:1: the category holds byte 0x1A")})
        EXPECT_NE(run.err.find(said), std::string::npos) << said << "\n" << run.err;
    EXPECT_EQ(run.err.find("control.csv:2:"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(std::string(1, '\0')), std::string::npos);
    EXPECT_NE(run.err.find(Said(run, u8"何も登録していません", "nothing was stored")), std::string::npos);
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
        std::string said = Said(run, u8"UTF-8 ではありません（ファイルの " + byte + u8" バイト目、" + c.value + u8"）",
                                "not UTF-8 (byte " + byte + " of the file, " + c.value + ")");
        EXPECT_NE(run.err.find(where + said), std::string::npos) << run.err;
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
    EXPECT_NE(found.out.find(Said(found, u8"名前が Shift-JIS で表せない", "cannot be written in Shift-JIS")),
              std::string::npos)
        << found.out;
    // Lines that end in LF alone read whole; the file is still not as the store writes.
    EXPECT_NE(found.out.find(u8"き/4.txt: "), std::string::npos) << found.out;
    EXPECT_EQ(found.out.find(u8"き/4.txt: " + Said(found, u8"辞書モードでは一部が切れて", "the window shows it cut")),
              std::string::npos)
        << found.out;
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
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
             {"export"}, {"export", u8"き"}, {"list"}, {"list", u8"き"}, {"search", u8"ねこ"}, {"check"},
             {"import", "--dry-run", "../good.csv"}, {"--help"}}) {
        CliRun run = RunCli(arguments, "/dev/full");
        EXPECT_EQ(run.status, 1) << arguments[0];
        std::string said = Said(run, std::string(u8"標準出力に書き込めませんでした（") + strerror(ENOSPC) + u8"）。",
                                std::string("cannot write to standard output: ") + strerror(ENOSPC));
        EXPECT_NE(run.err.find(said), std::string::npos) << arguments[0] << "\n" << run.err;
    }
    // Nothing to say is nothing lost: a search that finds nothing says only that by its status.
    CliRun none = RunCli({"search", u8"犬"}, "/dev/full");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "");
}
#endif

// Usage errors: status 2, one line that says what is wrong, and one that
// says where the usage is: of the command when there is one.
TEST_F(Cli, UsageErrorsExitTwoWithOneLineAndAHint) {
    struct Case {
        std::vector<std::string> arguments;
        const char* hint;
    } cases[] = {{{}, "wordoria-cli --help"},
                 {{"remove"}, "wordoria-cli --help"},
                 {{"--bogus"}, "wordoria-cli --help"},
                 {{"--data"}, "wordoria-cli --help"},
                 {{"--data="}, "wordoria-cli --help"},
                 {{"list", u8"ゐ"}, "wordoria-cli list --help"},
                 {{"list", "--keep-going"}, "wordoria-cli list --help"},
                 {{"import"}, "wordoria-cli import --help"},
                 {{"import", "a.csv", "b.csv"}, "wordoria-cli import --help"},
                 {{"search"}, "wordoria-cli search --help"},
                 {{"check", "x"}, "wordoria-cli check --help"},
                 {{"export", "-x"}, "wordoria-cli export --help"}};
    for (Language language : Languages()) {
        for (const Case& c : cases) {
            CliOptions options;
            options.language = language;
            CliRun run = RunCli(c.arguments, options);
            std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
            EXPECT_EQ(run.status, 2) << shown;
            std::vector<std::string> lines = Lines(run.err);
            ASSERT_EQ(lines.size(), 2u) << shown << "\n" << run.err;
            EXPECT_EQ(lines[0].rfind("wordoria-cli: ", 0), 0u) << lines[0];
            EXPECT_EQ(lines[1], Said(run, u8"詳しくは「" + std::string(c.hint) + u8"」を実行してください。",
                                     "Try '" + std::string(c.hint) + "' for more information."));
            EXPECT_EQ(run.out, "");
        }
    }
}

// Japanese characters, the category name 記号 aside.
bool HasJapanese(std::string text) {
    for (size_t at; (at = text.find(u8"記号")) != std::string::npos;) text.erase(at, std::string(u8"記号").size());
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE3; });
}

// Every message, and --help, in the language the locale says and never both.
TEST_F(Cli, SpeaksTheUsersLanguageAndOnlyThat) {
    WriteBytes("one.csv", std::string(u8"category,name,content\n") + u8"き,きつね,動物\n");
    PutWord(kNe, 1, "");
    for (Language language : Languages()) {
        CliOptions options;
        options.language = language;
        bool japanese = language == Language::Japanese;
        CliRun usage = RunCli({"list", "Z9"}, options);
        EXPECT_NE(usage.err.find(japanese ? u8"索引カテゴリ「Z9」はありません。" : "no index category \"Z9\""),
                  std::string::npos)
            << usage.err;
        CliRun dry = RunCli({"import", "--dry-run", "one.csv"}, options);
        EXPECT_EQ(dry.status, 0) << dry.err;
        CliRun check = RunCli({"check"}, options);
        EXPECT_EQ(check.status, 1);
        // Each message line in the one language, file paths aside.
        for (const std::string& line : Lines(usage.err + dry.out + check.out + check.err)) {
            size_t path = line.find(".txt: ");
            std::string words = path == std::string::npos ? line : line.substr(path + 6);
            EXPECT_EQ(HasJapanese(words), japanese) << line;
        }
        CliRun help = RunCli({"--help"}, options);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind(japanese ? u8"使い方: wordoria-cli" : "usage: wordoria-cli", 0), 0u) << help.out;
        EXPECT_EQ(help.out.find(japanese ? "Commands:" : u8"コマンド:"), std::string::npos) << help.out;
        EXPECT_EQ(HasJapanese(RunCli({"import", "--help"}, options).out), japanese);
    }
}

#ifndef _WIN32
// LC_ALL, else LC_MESSAGES, else LANG, as setlocale reads the messages
// category; an empty one counts as unset.
TEST_F(Cli, TheLocaleVariablesChooseTheLanguageInTheirOrder) {
    using Variables = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        Variables variables;
        bool japanese;
    } cases[] = {{{{"LANG", "ja_JP.UTF-8"}}, true},
                 {{{"LANG", "ja_JP.eucJP"}}, true},
                 {{{"LANG", "en_US.UTF-8"}}, false},
                 {{{"LANG", ""}}, false},
                 {{{"LANG", "C.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}}, true},
                 {{{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "C"}}, false},
                 {{{"LANG", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, true},
                 {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "POSIX"}}, false},
                 {{{"LC_ALL", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, false},
                 {{{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}}, true},
                 // The character type alone does not choose the language of messages.
                 {{{"LANG", "C"}, {"LC_CTYPE", "ja_JP.UTF-8"}}, false}};
    for (const Case& c : cases) {
        CliOptions options;
        options.environment = c.variables;
        CliRun run = RunCli({"search"}, options);
        std::string shown;
        for (const auto& [name, value] : c.variables) shown += name + "=" + value + " ";
        EXPECT_EQ(run.err.find(u8"search には探す文字列を一つ。") != std::string::npos, c.japanese) << shown << run.err;
        EXPECT_EQ(run.err.find("search takes one text") != std::string::npos, !c.japanese) << shown << run.err;
    }
}
#endif

// Counts in English messages agree with their nouns.
TEST_F(Cli, OneIsSingular) {
    std::vector<Language> languages = Languages();
    if (std::find(languages.begin(), languages.end(), Language::English) == languages.end())
        GTEST_SKIP() << "English is not the display language";
    CliOptions english;
    english.language = Language::English;
    PutWord(kKi, 1, "");
    CliRun one = RunCli({"check"}, english);
    EXPECT_NE(one.err.find("wordoria-cli: 1 problem found"), std::string::npos) << one.err;
    CliRun stopped = RunCli({"export"}, english);
    EXPECT_NE(stopped.err.find("the 1 word file named above is not"), std::string::npos) << stopped.err;
    PutWord(kKi, 2, "");
    EXPECT_NE(RunCli({"check"}, english).err.find("wordoria-cli: 2 problems found"), std::string::npos);
    EXPECT_NE(RunCli({"export"}, english).err.find("the 2 word files named above are not"), std::string::npos);
}

// A store elsewhere, its one word named after it.
void MakeStore(const std::string& folder, const std::string& word) {
    std::filesystem::path back = std::filesystem::current_path();
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    MakeDataTree();
    PutWord(kKi, 1, WordBytes(word, {"x"}));
    std::filesystem::current_path(back);
}

std::string WordSeen(const CliRun& run) {
    size_t tab = run.out.find('\t');
    return run.status != 0 || tab == std::string::npos ? "status " + std::to_string(run.status) + ": " + run.err
                                                      : run.out.substr(tab + 1, run.out.find('\n') - tab - 1);
}

// --data, else WORDORIA_DATA, else the current folder; a folder the user
// names is used or refused, never passed over.
TEST_F(Cli, FindsTheStoreByOptionThenEnvironmentThenCurrentFolder) {
    PutWord(kKi, 1, WordBytes("current", {"x"}));
    MakeStore("option", "option");
    MakeStore("environment", "environment");
    std::filesystem::create_directories("empty");
    CliOptions byEnvironment;
    byEnvironment.environment = {{"WORDORIA_DATA", "environment"}};
    EXPECT_EQ(WordSeen(RunCli({"list", u8"き"})), "current");
    EXPECT_EQ(WordSeen(RunCli({"list", u8"き"}, byEnvironment)), "environment");
    for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
             {"--data", "option", "list", u8"き"}, {"--data=option", "list", u8"き"},
             {"list", "--data", "option", u8"き"}, {"list", u8"き", "--data=option"}})
        EXPECT_EQ(WordSeen(RunCli(arguments, byEnvironment)), "option") << arguments[0] << " " << arguments[1];

    // Named but holding no DATA: said, in one line, and no other store used.
    CliOptions emptyByEnvironment;
    emptyByEnvironment.environment = {{"WORDORIA_DATA", "empty"}};
    for (CliRun run : {RunCli({"list", u8"き"}, emptyByEnvironment), RunCli({"--data", "empty", "list", u8"き"})}) {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find("empty"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("wordoria-make-data"), std::string::npos) << run.err;
    }
    EXPECT_NE(RunCli({"list", u8"き"}, emptyByEnvironment).err.find("WORDORIA_DATA"), std::string::npos);
    CliRun missing = RunCli({"--data", "no-such-folder", "check"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no-such-folder"), std::string::npos) << missing.err;
}

#ifndef _WIN32
// Last, where wordoria-launch keeps it: ${XDG_DATA_HOME:-$HOME/.local/share}/wordoria.
TEST_F(Cli, FindsTheLaunchersStoreLast) {
    PutWord(kKi, 1, WordBytes("current", {"x"}));
    std::string home = root() + "/home";
    MakeStore(home + "/.local/share/wordoria", "launcher");
    MakeStore(root() + "/xdg/wordoria", "xdg");
    std::filesystem::create_directories("elsewhere");
    auto seen = [](const std::string& folder, const std::vector<std::pair<std::string, std::string>>& variables) {
        CliOptions options;
        options.folder = folder;
        options.environment = {{"XDG_DATA_HOME", ""}};
        options.environment.insert(options.environment.end(), variables.begin(), variables.end());
        return WordSeen(RunCli({"list", u8"き"}, options));
    };
    EXPECT_EQ(seen(".", {{"HOME", home}}), "current");
    EXPECT_EQ(seen("elsewhere", {{"HOME", home}}), "launcher");
    EXPECT_EQ(seen("elsewhere", {{"HOME", home}, {"XDG_DATA_HOME", root() + "/xdg"}}), "xdg");
    EXPECT_EQ(seen("elsewhere", {{"HOME", home}, {"XDG_DATA_HOME", ""}}), "launcher");

    // Nowhere: one line naming each place looked in.
    CliOptions nowhere;
    nowhere.folder = "elsewhere";
    nowhere.environment = {{"HOME", root() + "/elsewhere"}, {"XDG_DATA_HOME", ""}};
    CliRun run = RunCli({"list"}, nowhere);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    std::string elsewhere = std::filesystem::canonical("elsewhere").string();
    EXPECT_NE(run.err.find("no DATA in " + elsewhere + " nor in " + root() + "/elsewhere/.local/share/wordoria;"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("--data"), std::string::npos);
    EXPECT_NE(run.err.find("WORDORIA_DATA"), std::string::npos);
}
#else
// Last, beside wordoria-cli.exe, where the zips put DATA.
TEST_F(Cli, FindsTheStoreBesideTheProgramLast) {
    PutWord(kKi, 1, WordBytes("current", {"x"}));
    MakeStore("program", "beside");
    std::filesystem::copy_file(std::filesystem::u8path(ToolPath()), "program/wordoria-cli.exe");
    std::filesystem::create_directories("elsewhere");
    CliOptions copy;
    copy.tool = (std::filesystem::current_path() / "program/wordoria-cli.exe").u8string();
    EXPECT_EQ(WordSeen(RunCli({"list", u8"き"}, copy)), "current");
    copy.folder = "elsewhere";
    EXPECT_EQ(WordSeen(RunCli({"list", u8"き"}, copy)), "beside");

    CliOptions nowhere;
    nowhere.folder = "elsewhere";
    CliRun run = RunCli({"list"}, nowhere);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(Lines(run.err).size(), 1u) << run.err;
    std::string programFolder = std::filesystem::u8path(ToolPath()).parent_path().u8string();
    EXPECT_NE(run.err.find("elsewhere"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(programFolder), std::string::npos) << programFolder << "\n" << run.err;
}
#endif

TEST_F(Cli, VersionAndEachCommandsHelp) {
    CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "wordoria-cli " WORDORIA_VERSION "\n");
    EXPECT_EQ(RunCli({"list", "--version"}).out, version.out);

    CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(RunCli({"-h"}).out, help.out);
    // Where the words are looked for, in order.
    size_t environment = help.out.find("WORDORIA_DATA");
#ifdef _WIN32
    size_t last = help.out.find("wordoria-cli.exe");
#else
    size_t last = help.out.find(".local/share/wordoria");
#endif
    EXPECT_NE(environment, std::string::npos) << help.out;
    EXPECT_NE(last, std::string::npos) << help.out;
    EXPECT_LT(environment, last);

    for (const std::string command : {"list", "search", "export", "import", "check"}) {
        std::string usage = Said(help, u8"使い方: wordoria-cli ", "usage: wordoria-cli ") + command;
        for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
                 {command, "--help"}, {"--help", command}, {command, "-h"}, {command, "x", "--help"}}) {
            CliRun run = RunCli(arguments);
            EXPECT_EQ(run.status, 0) << command;
            EXPECT_EQ(run.out.rfind(usage, 0), 0u) << run.out;
            EXPECT_EQ(run.err, "");
        }
    }
    EXPECT_NE(RunCli({"export", "--help"}).out.find("--bom"), std::string::npos);
    EXPECT_NE(RunCli({"import", "--help"}).out.find("--dry-run"), std::string::npos);
    EXPECT_EQ(RunCli({"remove", "--help"}).status, 2);
}

// "--" ends the options, so that a file may be named like one; "-" is standard input.
TEST_F(Cli, ImportTakesAFileNamedLikeAnOptionAfterDoubleDashAndStandardInputAsDash) {
    std::string csv = std::string(u8"category,name,content\n") + u8"き,きつね,動物\n";
    WriteBytes("--dry-run", csv);
    EXPECT_EQ(RunCli({"import", "--dry-run", "--", "--dry-run"}).status, 0);
    EXPECT_TRUE(ListNames(kKi).empty());
    CliRun real = RunCli({"import", "--", "--dry-run"});
    EXPECT_EQ(real.status, 0) << real.err;
    EXPECT_EQ(ListNames(kKi).size(), 1u);

    WriteBytes("piped.csv", std::string(u8"category,name,content\n") + u8"ね,ねこ,猫\n");
    CliOptions piped;
    piped.inputFrom = "piped.csv";
    CliRun dry = RunCli({"import", "-", "--dry-run"}, piped);
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_TRUE(ListNames(kNe).empty());
    CliRun stored = RunCli({"import", "-"}, piped);
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_EQ(ReadBytes(std::string(kNe) + "/1.txt"), WordBytes("ねこ", {"猫"}));
    // A fault in standard input is said of "-", its line as in a file.
    WriteBytes("piped-bad.csv", std::string(u8"category,name,content\n") + u8"ゐ,ゐど,井戸\n");
    piped.inputFrom = "piped-bad.csv";
    CliRun bad = RunCli({"import", "-"}, piped);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind("wordoria-cli: -:2:", 0), 0u) << bad.err;
}

// The byte-order mark tells Excel the file is UTF-8; import skips it.
TEST_F(Cli, ExportWithBomIsTheSameCsvAfterTheMarkAndImportsBack) {
    PutWord(kKi, 1, WordBytes("きつね", {"動物", "Fox"}));
    PutWord(kA, 1, WordBytes("apple", {"りんご"}));
    CliRun plain = RunCli({"export"});
    CliRun marked = RunCli({"export", "--bom"});
    ASSERT_EQ(marked.status, 0) << marked.err;
    EXPECT_EQ(marked.out, "\xEF\xBB\xBF" + plain.out);
    EXPECT_EQ(RunCli({"export", "--bom", u8"き"}).out.substr(0, 12), "\xEF\xBB\xBF" "category,");
    WriteBytes("marked.csv", marked.out);
    ASSERT_TRUE(DeleteFileA((std::string(kKi) + "/1.txt").c_str()));
    ASSERT_TRUE(DeleteFileA((std::string(kA) + "/1.txt").c_str()));
    CliRun imported = RunCli({"import", "marked.csv"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(RunCli({"export"}).out, plain.out);
}

// Built beside wordoria-cli, in the store's folder of the build.
std::string MakeDataPath() {
    std::filesystem::path cli = std::filesystem::u8path(ToolPath());
    return (cli.parent_path().parent_path() / "store" / ("wordoria-make-data" + cli.extension().u8string())).u8string();
}

TEST_F(Cli, MakeDataHelpsAndTakesAFolderAfterDoubleDash) {
    CliOptions makeData;
    makeData.tool = MakeDataPath();
    CliRun help = RunCli({"--help"}, makeData);
    EXPECT_EQ(help.status, 0) << makeData.tool;
    EXPECT_EQ(help.out.rfind("usage: wordoria-make-data [FOLDER]\n", 0), 0u) << help.out;
    EXPECT_EQ(RunCli({"-h"}, makeData).out, help.out);
    CliRun unknown = RunCli({"-x"}, makeData);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(Lines(unknown.err).size(), 2u) << unknown.err;
    EXPECT_EQ(RunCli({"a", "b"}, makeData).status, 2);
    std::filesystem::create_directories("-store");
    EXPECT_EQ(RunCli({"--", "-store"}, makeData).status, 0);
    EXPECT_TRUE(IsFolder("-store/DATA/日本語/か行/き"));
}

}  // namespace
}  // namespace wordoria::test
