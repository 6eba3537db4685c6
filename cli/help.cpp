#include "help.h"

#include "console.h"

namespace wordoria::cli {
namespace {

// The last place the words are looked for: where the program that the user
// starts keeps them.
#ifdef _WIN32
const char kLastPlaceJapanese[] = u8"  3. wordoria-cli.exe のあるフォルダー（zip に入っている DATA の場所）\n";
const char kLastPlaceEnglish[] = "  3. the folder of wordoria-cli.exe (where the zips put DATA)\n";
#else
const char kLastPlaceJapanese[] =
    u8"  3. $XDG_DATA_HOME/wordoria（XDG_DATA_HOME がなければ ~/.local/share/wordoria）:\n"
    u8"     wordoria-launch が作る保存場所\n";
const char kLastPlaceEnglish[] =
    "  3. $XDG_DATA_HOME/wordoria, or ~/.local/share/wordoria when XDG_DATA_HOME is unset or empty:\n"
    "     the store wordoria-launch makes\n";
#endif

const char kToolJapanese[] =
    u8"使い方: wordoria-cli [--data FOLDER] COMMAND ...\n"
    u8"Wordoria の単語を一覧・検索・書き出し・取り込み・点検します。\n"
    u8"\n"
    u8"コマンド:\n"
    u8"  list [CATEGORY]         各索引カテゴリとその単語数、または一つの索引カテゴリの単語\n"
    u8"  search TEXT             単語名か内容に TEXT を含む単語（なければ終了コード 1）\n"
    u8"  export [--keep-going] [--bom] [CATEGORY]\n"
    u8"                          単語を CSV（UTF-8）で標準出力へ\n"
    u8"  import [--dry-run] [--keep-duplicates] FILE\n"
    u8"                          CSV ファイル（UTF-8 か Shift-JIS）の各行を新しい単語ファイルとして登録\n"
    u8"                          （FILE が - なら標準入力）\n"
    u8"  check                   ウィンドウで正しく表示されないものを報告\n"
    u8"\n"
    u8"オプション（コマンドの前にも後にも置けます）:\n"
    u8"  --data FOLDER, --data=FOLDER\n"
    u8"                          DATA のあるフォルダー\n"
    u8"  -h, --help              この説明（COMMAND --help でそのコマンドの説明）\n"
    u8"  --version               版を表示\n"
    u8"  --                      これより後はオプションとして読まない（- で始まるファイル名に）\n"
    u8"\n"
    u8"--data がないときは、DATA のあるフォルダーを次の順に探します:\n"
    u8"  1. 環境変数 WORDORIA_DATA のフォルダー\n"
    u8"  2. 現在のフォルダー\n";
const char kToolJapaneseEnd[] =
    u8"CATEGORY はかな、英字、または 記号 です。\n"
    u8"終了コード: 0 完了、1 問題を報告（search は見つからないとき）、2 使い方の誤り。\n";

const char kToolEnglish[] =
    "usage: wordoria-cli [--data FOLDER] COMMAND ...\n"
    "Lists, searches, exports, imports and checks the words of Wordoria.\n"
    "\n"
    "Commands:\n"
    "  list [CATEGORY]         each category and its number of words, or one category's words\n"
    "  search TEXT             every word whose name or content holds TEXT (exit status 1 if none)\n"
    "  export [--keep-going] [--bom] [CATEGORY]\n"
    "                          the words as CSV (UTF-8) on standard output\n"
    "  import [--dry-run] [--keep-duplicates] FILE\n"
    "                          the rows of a CSV file (UTF-8 or Shift-JIS), each as a new word file\n"
    "                          (FILE - is standard input)\n"
    "  check                   what the window program would show oddly\n"
    "\n"
    "Options (before or after the command):\n"
    "  --data FOLDER, --data=FOLDER\n"
    "                          the folder that holds DATA\n"
    "  -h, --help              this help; COMMAND --help for one command's\n"
    "  --version               the version\n"
    "  --                      no option follows (for a file whose name begins with -)\n"
    "\n"
    "Without --data, the words are in the first of these folders that holds DATA:\n"
    "  1. the folder in the environment variable WORDORIA_DATA\n"
    "  2. the current folder\n";
const char kToolEnglishEnd[] =
    u8"CATEGORY is a kana, a letter or 記号.\n"
    "Exit status: 0 done, 1 a problem was reported (for search: nothing found), 2 a usage error.\n";

struct CommandHelp {
    const char* name;
    const char* japanese;
    const char* english;
};

const CommandHelp kCommands[] = {
    {"list",
     u8"使い方: wordoria-cli list [CATEGORY]\n"
     u8"CATEGORY がなければ 73 の索引カテゴリそれぞれとその単語ファイルの数をタブ区切りで\n"
     u8"（フォルダーがなければ -）。あれば、その単語ファイルと単語名をウィンドウの並びで。\n",
     "usage: wordoria-cli list [CATEGORY]\n"
     "Without CATEGORY, each of the 73 index categories and its number of word files, tab-separated\n"
     "(- for a missing folder). With one, each of its word files and the word's name, in the window's order.\n"},
    {"search",
     u8"使い方: wordoria-cli search TEXT\n"
     u8"単語名か内容に TEXT を含む単語を、索引カテゴリ・ファイル・単語名・内容の 1 行目のタブ区切りで。\n"
     u8"英字は大文字・小文字、全角・半角を問いません。見つからなければ終了コード 1。\n",
     "usage: wordoria-cli search TEXT\n"
     "Every word whose name or content holds TEXT: category, file, name and the content's first line,\n"
     "tab-separated. Latin letters match whatever their case and width. Exit status 1 if none is found.\n"},
    {"export",
     u8"使い方: wordoria-cli export [--keep-going] [--bom] [CATEGORY]\n"
     u8"単語（一つの索引カテゴリか全部）を CSV（UTF-8、列は category,name,content,file）で標準出力へ。\n"
     u8"  --keep-going  登録で書かれた形ではない単語ファイルがあっても止めず、読めたとおりに書き出す\n"
     u8"  --bom         先頭に UTF-8 の BOM を付ける（Excel が UTF-8 として開くように）\n",
     "usage: wordoria-cli export [--keep-going] [--bom] [CATEGORY]\n"
     "The words (of one category, or all) as CSV on standard output, UTF-8, columns category,name,content,file.\n"
     "  --keep-going  go on past word files the store would not have written, writing them as read\n"
     "  --bom         begin with a UTF-8 byte-order mark, so that Excel opens the file as UTF-8\n"},
    {"import",
     u8"使い方: wordoria-cli import [--dry-run] [--keep-duplicates] FILE\n"
     u8"CSV ファイル（列は category, name, content。file は使わない）の各行を新しい単語ファイルとして登録。\n"
     u8"UTF-8（BOM の有無は問わない）として読み、UTF-8 でなければ Shift-JIS（Excel の CSV）として読みます。\n"
     u8"先に全行を確かめ、一行でも不正なら何も登録しません。登録済みの単語と同じ行は飛ばすので、\n"
     u8"途中で止まった取り込みはそのままやり直せます。FILE が - なら標準入力を読みます。\n"
     u8"- で始まる名前のファイルは -- の後に: import -- -file.csv\n"
     u8"  --dry-run           確かめるだけで、何も登録しない\n"
     u8"  --keep-duplicates   登録済みの単語と同じ行も登録する\n",
     "usage: wordoria-cli import [--dry-run] [--keep-duplicates] FILE\n"
     "Stores each row of a CSV file (columns category, name, content; file is not used) as a new word file.\n"
     "The file is read as UTF-8 (with or without a byte-order mark), else as Shift-JIS (Excel's CSV).\n"
     "Every row is checked first: one bad row and nothing is stored. A row repeating a stored word is\n"
     "skipped, so an import that stopped can simply be run again. FILE - reads standard input;\n"
     "a file whose name begins with - comes after --: import -- -file.csv\n"
     "  --dry-run           check every row, store nothing\n"
     "  --keep-duplicates   store rows that repeat a stored word as well\n"},
    {"check",
     u8"使い方: wordoria-cli check\n"
     u8"ウィンドウで正しく表示されないものを報告します: ない索引フォルダー、登録で書かれない名前や形の\n"
     u8"ファイル、切れて表示される単語、Shift-JIS で表せない名前、満杯に近いフォルダー、二度登録された単語。\n"
     u8"何か見つかれば終了コード 1。\n",
     "usage: wordoria-cli check\n"
     "Reports what the window program would show oddly: a missing category folder, a file whose name or\n"
     "form the store would not have written, a word shown cut, a name without a Shift-JIS form, a folder\n"
     "nearly full, a word stored twice. Exit status 1 if anything is found.\n"},
};

const char kEveryCommandJapanese[] =
    u8"どのコマンドにも --data FOLDER が使えます（探す順は wordoria-cli --help に）。\n";
const char kEveryCommandEnglish[] =
    "Every command takes --data FOLDER (where the words are looked for without it: wordoria-cli --help).\n";

}  // namespace

std::string ToolUsage() {
    if (SpeaksJapanese()) return std::string(kToolJapanese) + kLastPlaceJapanese + kToolJapaneseEnd;
    return std::string(kToolEnglish) + kLastPlaceEnglish + kToolEnglishEnd;
}

std::string CommandUsage(const std::string& command) {
    for (const CommandHelp& help : kCommands) {
        if (command != help.name) continue;
        return std::string(InLanguage(help.japanese, help.english)) +
               std::string(InLanguage(kEveryCommandJapanese, kEveryCommandEnglish));
    }
    return std::string();
}

std::string UsageHint(const std::string& command) {
    std::string help = "wordoria-cli " + (command.empty() ? std::string() : command + " ") + "--help";
    return SpeaksJapanese() ? u8"詳しくは「" + help + u8"」を実行してください。\n"
                            : "Try '" + help + "' for more information.\n";
}

}  // namespace wordoria::cli
