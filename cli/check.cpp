// check: what the window program would show oddly, folder by folder.
#include "commands.h"

#include "console.h"
#include "entries.h"
#include "folder_names.h"
#include "text.h"
#include "word_key.h"

#include <word_file.h>

#include <map>
#include <string_view>

namespace wordoria::cli {
namespace {

const int kNearlyFull = WORD_NUMBER_MAX - 99;  // fewer than 100 numbers left

struct Findings {
    int count = 0;
    void Say(const std::string& where, const std::string& japanese, const std::string& english) {
        Print(where + ": " + std::string(InLanguage(japanese, english)) + "\n");
        count++;
    }
};

// 1.txt to 9999.txt, as the store names its files; the case of "txt" as it may be.
bool IsWordFileName(const std::string& name) {
    size_t dot = name.find('.');
    if (dot == 0 || dot == std::string::npos || dot > 4 || name[0] == '0') return false;
    for (size_t i = 0; i < dot; i++)
        if (name[i] < '0' || name[i] > '9') return false;
    std::string extension = name.substr(dot);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".txt";
}

// Whether the window's reading rule gives the whole name and every line: it
// ends a line at LF, with or without a CR before it.
bool ReadsWhole(const Entry& entry) {
    char name[WORD_FIELD_SIZE];
    char lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    if (entry.form == ENTRY_UNREADABLE || !ReadWordFile(entry.path.c_str(), name, lines)) return true;
    if (entry.storedName != name) return false;
    std::string_view rest = entry.storedContent;
    for (int i = 0; i < WORD_LINE_COUNT; i++) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line != lines[i]) return false;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return rest.empty();
}

void CheckNames(const Category& category, Findings* findings) {
    std::vector<FolderName> names;
    std::string folder = FromShiftJis(category.folder);
    if (!ReadFolderNames(category.folder, &names)) return;
    for (const FolderName& name : names) {
        std::string where = folder + "/" + name.text;
        if (!name.shiftJis) {
            findings->Say(where, u8"名前が Shift-JIS で表せないため、一覧に出ません。",
                          "its name cannot be written in Shift-JIS, so the window does not list it");
        } else if (!name.folder && !IsWordFileName(name.text)) {
            findings->Say(where, u8"登録で作られる名前（1.txt～9999.txt）ではありません。",
                          "not a name the store gives (1.txt to 9999.txt)");
        }
    }
}

// A word stored twice (an import run again with --keep-duplicates, or a
// copy made by hand): each copy after the first is named with the first.
void ReportRepeats(const std::vector<Entry>& entries, int category, Findings* findings) {
    std::map<std::string, const Entry*> first;
    for (const Entry& entry : entries) {
        if (entry.form != ENTRY_IN_FORM) continue;
        auto known = first.emplace(WordKey(category, entry.storedName, entry.storedContent), &entry);
        if (known.second) continue;
        const std::string& original = known.first->second->fileName;
        findings->Say(entry.pathText, u8"「" + original + u8"」と同じ単語です。", "the same word as " + original);
    }
}

void CheckEntries(const Category& category, Findings* findings) {
    std::vector<Entry> entries;
    std::string folder = FromShiftJis(category.folder);
    if (!ListEntries(category, &entries)) {
        findings->Say(folder, u8"フォルダーがありません。この索引は空に見え、登録できません。",
                      "the folder is missing: the category reads empty and takes no word");
        return;
    }
    for (const Entry& entry : entries) {
        std::string english;
        if (entry.form != ENTRY_IN_FORM) {
            std::string japanese = DescribeForm(entry, &english);
            findings->Say(entry.pathText, u8"登録で書かれた形ではありません：" + japanese + u8"。",
                          "not as the store writes a word: " + english);
        }
        if (!entry.exactText)
            findings->Say(entry.pathText, u8"Shift-JIS でないバイトがあります。",
                          "it holds bytes that are not Shift-JIS");
        if (!ReadsWhole(entry))
            findings->Say(entry.pathText, u8"辞書モードでは一部が切れて表示されます。",
                          "the window shows it cut: a line is longer than it reads");
    }
    ReportRepeats(entries, category.number, findings);
    if (static_cast<int>(entries.size()) >= kNearlyFull)
        findings->Say(folder,
                      u8"単語ファイルが " + std::to_string(entries.size()) + u8" あり、9999 で満杯になります。",
                      "it holds " + Count(entries.size(), "word file", "word files") + "; it is full at 9999");
}

}  // namespace

int RunCheck(const Arguments& arguments) {
    Findings findings;
    for (const Category& category : Categories()) {
        CheckNames(category, &findings);
        CheckEntries(category, &findings);
    }
    if (findings.count == 0) return EXIT_DONE;
    Report(std::to_string(findings.count) + u8" 件見つかりました。", Count(findings.count, "problem", "problems") + " found");
    return EXIT_PROBLEM;
}

}  // namespace wordoria::cli
