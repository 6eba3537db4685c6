// wordoria-cli [--data FOLDER] COMMAND ...: lists, searches, exports,
// imports and checks the word store of the window program, through the
// store's own code.
#include "commands.h"
#include "console.h"
#include "entries.h"

#include <string>

using namespace wordoria::cli;

namespace {

const char kUsage[] =
    "usage: wordoria-cli [--data FOLDER] COMMAND ...\n"
    "  list [CATEGORY]         each category and its number of words, or one category's words\n"
    "  search TEXT             every word whose name or content holds TEXT\n"
    "  export [--keep-going] [CATEGORY]\n"
    "                          the words as CSV (UTF-8) on standard output; a word file the\n"
    "                          store would not have written stops it, unless --keep-going\n"
    "  import [--dry-run] FILE the words of a CSV file, each as a new word file\n"
    "  check                   what the window program would show oddly\n"
    u8"FOLDER holds DATA (the current folder by default). CATEGORY is a kana, a letter or 記号.\n";

// Said on a Windows set to another language, where the store's names do not
// reach the file system as they are. The English line is plain ASCII, which
// reads right in any code page; the Japanese one reads right on a console.
const char kForeignCodePageJapanese[] =
    u8"Windows の「Unicode 対応ではないプログラムの言語」（システム ロケール）が"
    u8"「日本語 (日本)」ではないため、どの索引カテゴリも空に見え、単語も取り込めません。"
    u8"設定は「コントロール パネル」→「時計と地域」→「地域」→「管理」タブ→"
    u8"「システム ロケールの変更」→「日本語 (日本)」を選んで OK、再起動です。";
const char kForeignCodePageEnglish[] =
    "Windows' system locale (\"Language for non-Unicode programs\") is not Japanese (Japan), so every "
    "index category will read empty and no word can be imported. To set it: "
    "Control Panel > Clock and Region > Region > the Administrative tab > Change system locale... > "
    "Japanese (Japan), OK, and restart Windows.";

}  // namespace

namespace wordoria::cli {

int UsageError(const std::string& japanese, const std::string& english) {
    Report(japanese, english);
    PrintError(kUsage);
    return EXIT_USAGE;
}

const Category* CategoryArgument(const std::string& name) {
    const Category* category = FindCategoryByName(name);
    if (category == nullptr)
        UsageError(u8"索引カテゴリ「" + name + u8"」はありません。", "no index category \"" + name + "\"");
    return category;
}

}  // namespace wordoria::cli

namespace {

int Run(Arguments words) {
    std::string folder;
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
        Print(kUsage);
        return EXIT_DONE;
    }
    if (!words.empty() && words[0] == "--data") {
        if (words.size() < 2) return UsageError(u8"--data にフォルダーがありません。", "--data needs a folder");
        folder = words[1];
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty()) return UsageError(u8"コマンドがありません。", "no command given");
    std::string command = words[0];
    Arguments rest(words.begin() + 1, words.end());

    FILE* input = nullptr;
    if (command == "import") {
        std::string file = rest.empty() ? std::string() : rest.back();
        if (rest.empty() || file == "--dry-run")
            return UsageError(u8"取り込むファイルがありません。", "import needs a file");
        input = OpenToRead(file);
        if (input == nullptr) {
            Report(u8"ファイル「" + file + u8"」を読めません。", "cannot read the file \"" + file + "\"");
            return EXIT_PROBLEM;
        }
    }
    if (!folder.empty() && !EnterFolder(folder)) {
        Report(u8"フォルダー「" + folder + u8"」に入れません。", "cannot enter the folder \"" + folder + "\"");
        return EXIT_PROBLEM;
    }

    if (command == "list") return RunList(rest);
    if (command == "search") return RunSearch(rest);
    if (command == "export") return RunExport(rest);
    if (command == "import") return RunImport(rest, input);
    if (command == "check") return RunCheck(rest);
    return UsageError(u8"コマンド「" + command + u8"」はありません。", "no command \"" + command + "\"");
}

}  // namespace

int main(int argc, char** argv) {
    if (!AnsiCodePageIsJapanese()) Report(kForeignCodePageJapanese, kForeignCodePageEnglish);
    int status = Run(CommandLine(argc, argv));
    std::string reason;
    if (FinishOutput(&reason)) return status;
    Report(u8"標準出力に書き込めませんでした（" + reason + u8"）。", "cannot write to standard output: " + reason);
    return status == EXIT_DONE ? EXIT_PROBLEM : status;
}
