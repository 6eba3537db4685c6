// wordoria-cli [--data FOLDER] COMMAND ...: lists, searches, exports,
// imports and checks the word store of the window program, through the
// store's own code.
#include "commands.h"
#include "console.h"
#include "entries.h"
#include "help.h"
#include "store_folder.h"

#include <algorithm>
#include <string>

using namespace wordoria::cli;

namespace {

// Said on a Windows set to another language, where the store's names do not
// reach the file system as they are. The English text is plain ASCII, which
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

// Each command, the options it takes and how many arguments.
struct CommandSpec {
    const char* name;
    std::vector<std::string> options;
    size_t fewest, most;
    const char* japanese;  // said when the arguments are too few or too many
    const char* english;
};

const CommandSpec kCommands[] = {
    {"list", {}, 0, 1, u8"list には索引カテゴリを一つだけ。", "list takes one category at most"},
    {"search", {}, 1, 1, u8"search には探す文字列を一つ。", "search takes one text to look for"},
    {"export", {"--keep-going", "--bom"}, 0, 1, u8"export には索引カテゴリを一つだけ。", "export takes one category at most"},
    {"import", {"--dry-run", "--keep-duplicates"}, 1, 1, u8"import には取り込むファイルを一つ。", "import takes one file"},
    {"check", {}, 0, 0, u8"check に引数は要りません。", "check takes no arguments"},
};

// The command named in usage errors' hint, once it is known.
std::string s_command;

const CommandSpec* FindCommand(const std::string& name) {
    for (const CommandSpec& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

// The command line taken apart: options may stand before or after the
// command, and "--" ends them.
struct Invocation {
    bool hasCommand = false;
    std::string command;
    std::string dataFolder;
    bool help = false;
    bool version = false;
    Arguments options;   // all but --data, --help and --version, as given
    Arguments operands;  // the command's arguments
};

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

// False, the usage error said, when --data has no folder.
bool TakeApart(const Arguments& words, Invocation* invocation) {
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); i++) {
        const std::string& word = words[i];
        if (optionsEnded || !IsOption(word)) {
            invocation->operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--data" || word.rfind("--data=", 0) == 0) {
            bool joined = word != "--data";
            invocation->dataFolder = joined ? word.substr(7) : i + 1 < words.size() ? words[++i] : std::string();
            if (invocation->dataFolder.empty()) {
                UsageError(u8"--data にフォルダーがありません。", "--data needs a folder");
                return false;
            }
        } else if (word == "--help" || word == "-h") {
            invocation->help = invocation->help || !invocation->version;
        } else if (word == "--version") {
            invocation->version = invocation->version || !invocation->help;
        } else {
            invocation->options.push_back(word);
        }
    }
    if (invocation->operands.empty()) return true;
    invocation->hasCommand = true;
    invocation->command = invocation->operands.front();
    invocation->operands.erase(invocation->operands.begin());
    return true;
}

int UnknownOption(const std::string& option) {
    return UsageError(u8"「" + option + u8"」というオプションはありません。", "unknown option \"" + option + "\"");
}

// The command's own options as given, each once, or a usage error said.
bool ChooseOptions(const CommandSpec& command, const Arguments& given, Arguments* chosen) {
    for (const std::string& option : given) {
        if (std::find(command.options.begin(), command.options.end(), option) != command.options.end()) continue;
        UnknownOption(option);
        return false;
    }
    for (const std::string& option : command.options)
        if (std::find(given.begin(), given.end(), option) != given.end()) chosen->push_back(option);
    return true;
}

// The import file is opened before the store's folder is entered, so that a
// relative name means what it meant where the command was given.
int RunCommand(const CommandSpec& command, const Arguments& options, const Arguments& operands,
               const std::string& dataFolder) {
    std::string name = command.name;
    FILE* input = nullptr;
    if (name == "import") {
        input = OpenToRead(operands[0]);
        if (input == nullptr) {
            Report(u8"ファイル「" + operands[0] + u8"」を読めません。", "cannot read the file \"" + operands[0] + "\"");
            return EXIT_PROBLEM;
        }
    }
    if (!EnterStoreFolder(dataFolder)) return EXIT_PROBLEM;
    if (name == "list") return RunList(operands);
    if (name == "search") return RunSearch(operands);
    if (name == "export") return RunExport(operands, options);
    if (name == "check") return RunCheck(operands);
    Arguments importArguments(options);
    importArguments.push_back(operands[0]);
    return RunImport(importArguments, input);
}

int Run(const Arguments& words) {
    Invocation invocation;
    if (!TakeApart(words, &invocation)) return EXIT_USAGE;
    const CommandSpec* command = invocation.hasCommand ? FindCommand(invocation.command) : nullptr;
    if (command != nullptr) s_command = command->name;
    if (invocation.help && (command != nullptr || !invocation.hasCommand)) {
        Print(command != nullptr ? CommandUsage(command->name) : ToolUsage());
        return EXIT_DONE;
    }
    if (invocation.version) {
        Print("wordoria-cli " WORDORIA_VERSION "\n");
        return EXIT_DONE;
    }
    if (!invocation.hasCommand) {
        if (!invocation.options.empty()) return UnknownOption(invocation.options.front());
        return UsageError(u8"コマンドがありません。", "no command given");
    }
    if (command == nullptr)
        return UsageError(u8"コマンド「" + invocation.command + u8"」はありません。",
                          "no command \"" + invocation.command + "\"");
    Arguments options;
    if (!ChooseOptions(*command, invocation.options, &options)) return EXIT_USAGE;
    size_t count = invocation.operands.size();
    if (count < command->fewest || count > command->most) return UsageError(command->japanese, command->english);
    return RunCommand(*command, options, invocation.operands, invocation.dataFolder);
}

}  // namespace

namespace wordoria::cli {

int UsageError(const std::string& japanese, const std::string& english) {
    Report(japanese, english);
    PrintError(UsageHint(s_command));
    return EXIT_USAGE;
}

const Category* CategoryArgument(const std::string& name) {
    const Category* category = FindCategoryByName(name);
    if (category == nullptr)
        UsageError(u8"索引カテゴリ「" + name + u8"」はありません。", "no index category \"" + name + "\"");
    return category;
}

}  // namespace wordoria::cli

int main(int argc, char** argv) {
    if (!AnsiCodePageIsJapanese()) Report(kForeignCodePageJapanese, kForeignCodePageEnglish);
    int status = Run(CommandLine(argc, argv));
    std::string reason;
    if (FinishOutput(&reason)) return status;
    Report(u8"標準出力に書き込めませんでした（" + reason + u8"）。", "cannot write to standard output: " + reason);
    return status == EXIT_DONE ? EXIT_PROBLEM : status;
}
