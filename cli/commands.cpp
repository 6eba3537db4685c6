// list, search and export: reading the store, never writing it.
#include "commands.h"

#include "console.h"
#include "csv.h"
#include "entries.h"
#include "text.h"

#include <word_file.h>

namespace wordoria::cli {
namespace {

// The categories a command covers: all, or the one named.
bool ChosenCategories(const Arguments& arguments, std::vector<const Category*>* chosen) {
    if (arguments.empty()) {
        for (const Category& category : Categories()) chosen->push_back(&category);
        return true;
    }
    const Category* category = CategoryArgument(arguments[0]);
    if (category != nullptr) chosen->push_back(category);
    return category != nullptr;
}

void ReportMissingFolder(const Category& category) {
    std::string folder = FromShiftJis(category.folder);
    Report(u8"索引カテゴリ「" + category.display + u8"」のフォルダー " + folder + u8" がありません。",
           "the folder " + folder + " of the index category \"" + category.display + "\" is missing");
}

// Bytes that were not Shift-JIS show as U+FFFD; the user hears of it.
void ReportInexactText(const Entry& entry) {
    Report(entry.pathText + u8": Shift-JIS でない文字を U+FFFD にしました。",
           entry.pathText + ": bytes that are not Shift-JIS were given as U+FFFD");
}

void ReportOddForm(const Entry& entry) {
    std::string english;
    std::string japanese = DescribeForm(entry, &english);
    Report(entry.pathText + u8": 登録で書かれた形ではありません：" + japanese + u8"。",
           entry.pathText + ": not as the store writes a word: " + english);
}

int ListCounts() {
    int status = EXIT_DONE;
    for (const Category& category : Categories()) {
        int count = CountWordFiles(category);
        if (count < 0) {
            Print(category.display + "\t-\n");
            status = EXIT_PROBLEM;
            ReportMissingFolder(category);
            continue;
        }
        Print(category.display + "\t" + std::to_string(count) + "\n");
    }
    return status;
}

}  // namespace

int RunList(const Arguments& arguments) {
    if (arguments.empty()) return ListCounts();
    const Category* category = CategoryArgument(arguments[0]);
    if (category == nullptr) return EXIT_USAGE;
    std::vector<Entry> entries;
    if (!ListEntries(*category, &entries)) {
        ReportMissingFolder(*category);
        return EXIT_PROBLEM;
    }
    for (const Entry& entry : entries) Print(entry.fileName + "\t" + entry.name + "\n");
    return EXIT_DONE;
}

int RunSearch(const Arguments& arguments) {
    if (arguments[0].empty())
        return UsageError(u8"search には探す文字列を一つ。", "search takes one text to look for");
    if (!IsUtf8(arguments[0])) return UsageError(u8"探す文字列が UTF-8 ではありません。", "the text is not UTF-8");
    std::string wanted = FoldLatin(AsReadBack(arguments[0]));
    bool anyFound = false;
    for (const Category& category : Categories()) {
        std::vector<Entry> entries;
        if (!ListEntries(category, &entries)) continue;  // check tells of a missing folder
        for (const Entry& entry : entries) {
            bool found = FoldLatin(entry.name).find(wanted) != std::string::npos ||
                         FoldLatin(entry.content).find(wanted) != std::string::npos;
            if (!found) continue;
            anyFound = true;
            Print(category.display + "\t" + entry.pathText + "\t" + entry.name + "\t" + FirstLine(entry.content) +
                  "\n");
        }
    }
    return anyFound ? EXIT_DONE : EXIT_PROBLEM;
}

bool Given(const Arguments& options, const char* option) {
    for (const std::string& given : options)
        if (given == option) return true;
    return false;
}

// A word file the store would not have written stops the export, each one
// named, unless --keep-going asks for every word as it was read.
int RunExport(const Arguments& arguments, const Arguments& options) {
    bool keepGoing = Given(options, "--keep-going");
    std::vector<const Category*> chosen;
    if (!ChosenCategories(arguments, &chosen)) return EXIT_USAGE;
    int status = EXIT_DONE;
    int oddForms = 0;
    // Excel takes a CSV file for the system's code page unless it begins with the mark.
    std::string csv = Given(options, "--bom") ? "\xEF\xBB\xBF" : "";
    csv += CsvRecord({"category", "name", "content", "file"});
    for (const Category* category : chosen) {
        std::vector<Entry> entries;
        if (!ListEntries(*category, &entries)) {
            ReportMissingFolder(*category);
            status = EXIT_PROBLEM;
            continue;
        }
        for (const Entry& entry : entries) {
            if (entry.form != ENTRY_IN_FORM) {
                ReportOddForm(entry);
                oddForms++;
            }
            if (!entry.exactText) {
                ReportInexactText(entry);
                status = EXIT_PROBLEM;
            }
            csv += CsvRecord({category->display, entry.name, entry.content, entry.pathText});
        }
    }
    if (oddForms > 0 && !keepGoing) {
        Report(u8"登録で書かれた形ではない単語ファイルが " + std::to_string(oddForms) +
                   u8" 個あるため、何も書き出していません。--keep-going を付けると、読めたとおりに書き出します。",
               "nothing was exported: the " + Count(oddForms, "word file", "word files") +
                   (oddForms == 1 ? " named above is" : " named above are") +
                   " not as the store writes a word; --keep-going exports every word as read");
        return EXIT_PROBLEM;
    }
    WriteOut(csv);
    return status;
}

}  // namespace wordoria::cli
