// import: every row checked first, then each stored as a registration
// stores it; one bad row and nothing is written.
#include "commands.h"

#include "console.h"
#include "csv.h"
#include "entries.h"
#include "text.h"

#include <word_file.h>

#include <algorithm>
#include <map>
#include <stdio.h>

namespace wordoria::cli {
namespace {

struct Columns {
    int category = -1, name = -1, content = -1, file = -1;
};

struct Fault {
    int line;
    std::string japanese, english;
    int column = 0;  // 0 when the whole record is meant
};

bool ReadHeader(const CsvRow& header, Columns* columns, std::vector<Fault>* faults) {
    for (size_t i = 0; i < header.fields.size(); i++) {
        const std::string& title = header.fields[i];
        int* column = title == "category" ? &columns->category
                      : title == "name"   ? &columns->name
                      : title == "content" ? &columns->content
                      : title == "file"   ? &columns->file
                                          : nullptr;
        if (column == nullptr || *column >= 0) {
            faults->push_back({header.line, u8"見出しの「" + title + u8"」は使えない列名です。",
                               "the header's \"" + title + "\" is not a column this file may have"});
            continue;
        }
        *column = static_cast<int>(i);
    }
    if (columns->category < 0 || columns->name < 0 || columns->content < 0) {
        faults->push_back({header.line, u8"見出しに category, name, content の列が要ります。",
                           "the header must name the columns category, name and content"});
        return false;
    }
    return faults->empty();
}

// The line, counted from 1, that holds the byte at offset.
int LineAt(std::string_view text, size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

std::string ByteValue(char byte) {
    char hex[8];
    snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(byte));
    return hex;
}

// The character, counted from 1 in its line, that the byte at offset is or
// begins, as an editor shows the column; a byte-order mark is no character.
int ColumnAt(std::string_view text, size_t offset) {
    size_t lineBreak = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
    size_t start = lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
    if (start == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    int column = 1;
    for (size_t i = start; i < offset; i++)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) column++;
    return column;
}

// A NUL would cut the word file where it stands, and 0x1A ends its reading
// there: a field holding either could not be read back as it was given.
bool CheckStorableBytes(std::string_view text, const CsvRow& row, int column, const std::string& japanese,
                        const std::string& english, std::vector<Fault>* faults) {
    size_t at = row.fields[column].find_first_of(std::string_view("\0\x1A", 2));
    if (at == std::string::npos) return true;
    size_t offset = CsvTextOffset(row, column, at);
    bool nul = text[offset] == '\0';
    std::string why = nul ? u8"に NUL（0x00）があります。単語ファイルはそこで切れてしまいます。"
                          : u8"に 0x1A（Ctrl+Z）があります。単語ファイルはそこで読み終わってしまいます。";
    std::string whyEnglish = nul ? " holds a NUL byte (0x00), where a word file would be cut"
                                 : " holds byte 0x1A (Ctrl+Z), where a word file's reading ends";
    faults->push_back({LineAt(text, offset), japanese + why, english + whyEnglish, ColumnAt(text, offset)});
    return false;
}

std::string Described(int fault, std::string* english) {
    switch (fault) {
    case ENTRY_NO_NAME: *english = "the name is empty"; return u8"単語名が空です。";
    case ENTRY_NAME_TOO_LONG: *english = "the name is longer than 80 Shift-JIS bytes"; return u8"単語名が Shift-JIS で 80 バイトを超えます。";
    case ENTRY_NAME_BREAK: *english = "the name holds a line break"; return u8"単語名に改行があります。";
    case ENTRY_NO_CONTENT: *english = "the content is empty"; return u8"内容が空です。";
    case ENTRY_CONTENT_TOO_LONG:
        *english = "the content is longer than 420 Shift-JIS bytes (a line break counts 2)";
        return u8"内容が Shift-JIS で 420 バイト（改行は 2 バイト）を超えます。";
    case ENTRY_TOO_MANY_LINES: *english = "the content has more than 5 lines"; return u8"内容が 5 行を超えます。";
    default: *english = "the content holds a lone carriage return"; return u8"内容に単独の CR があります。";
    }
}

// Line breaks, LF or CR LF as the file has them, become the CR LF a
// registration holds; a CR alone stays, for the check to refuse.
std::string WithStoredBreaks(const std::string& content) {
    std::string result;
    for (size_t i = 0; i < content.size(); i++) {
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
        if (content[i] == '\n') result += '\r';
        result += content[i];
    }
    return result;
}

// One row as the entry it stores, or its faults.
bool MakeEntry(std::string_view text, const CsvRow& row, const Columns& columns, size_t width,
               WordEntry* entry, std::vector<Fault>* faults) {
    if (row.fields.size() != width) {
        faults->push_back({row.line, u8"列の数が見出しと違います。",
                           "the record has " + std::to_string(row.fields.size()) + " fields, the header " +
                               std::to_string(width)});
        return false;
    }
    bool good = CheckStorableBytes(text, row, columns.category, u8"索引カテゴリ", "the category", faults);
    good = CheckStorableBytes(text, row, columns.name, u8"単語名", "the name", faults) && good;
    good = CheckStorableBytes(text, row, columns.content, u8"内容", "the content", faults) && good;
    if (!good) return false;
    const std::string& categoryName = row.fields[columns.category];
    const Category* category = FindCategoryByName(categoryName);
    if (category == nullptr) {
        faults->push_back({row.line, u8"索引カテゴリ「" + categoryName + u8"」はありません。",
                           "no index category \"" + categoryName + "\""});
        good = false;
    }
    std::string name, content;
    struct Field {
        const std::string& text;
        std::string* sjis;
        const char* japanese;
        const char* english;
    } fields[] = {{row.fields[columns.name], &name, u8"単語名", "the name"},
                  {row.fields[columns.content], &content, u8"内容", "the content"}};
    for (Field& field : fields) {
        if (ToShiftJis(WithStoredBreaks(field.text), field.sjis)) continue;
        std::string character = FirstWithoutShiftJis(field.text);
        faults->push_back({row.line, std::string(field.japanese) + u8"の「" + character + u8"」は Shift-JIS にない文字です。",
                           std::string(field.english) + " holds \"" + character + "\", which Shift-JIS has not"});
        good = false;
    }
    if (!good) return false;
    *entry = WordEntry{};
    entry->nCategory = category->number;
    // Too long for the buffers is too long for the store: the check says which.
    snprintf(entry->szName, sizeof entry->szName, "%.*s", static_cast<int>(sizeof entry->szName - 1), name.c_str());
    snprintf(entry->szContent, sizeof entry->szContent, "%.*s", static_cast<int>(sizeof entry->szContent - 1),
             content.c_str());
    int fault = name.size() > WORD_NAME_MAX ? ENTRY_NAME_TOO_LONG
                : content.size() > WORD_CONTENT_MAX ? ENTRY_CONTENT_TOO_LONG
                                                     : CheckWordEntry(entry);
    if (fault == ENTRY_IN_FORM) return true;
    std::string english;
    std::string japanese = Described(fault, &english);
    faults->push_back({row.line, japanese, english});
    return false;
}

// A category with no room for its rows is a fault found before writing.
void CheckRoom(const std::vector<WordEntry>& entries, const std::vector<int>& lines, std::vector<Fault>* faults) {
    std::map<int, int> wanted;
    std::map<int, int> lastLine;
    for (size_t i = 0; i < entries.size(); i++) {
        wanted[entries[i].nCategory]++;
        lastLine[entries[i].nCategory] = lines[i];
    }
    for (const Category& category : Categories()) {
        auto rows = wanted.find(category.number);
        if (rows == wanted.end()) continue;
        int present = CountWordFiles(category);
        if (present < 0) {
            std::string folder = FromShiftJis(category.folder);
            faults->push_back({lastLine[category.number], u8"フォルダー " + folder + u8" がありません。",
                               "the folder " + folder + " is missing"});
            continue;
        }
        if (present + rows->second > WORD_NUMBER_MAX)
            faults->push_back({lastLine[category.number],
                               u8"索引カテゴリ「" + category.display + u8"」に入りきりません。",
                               "the index category \"" + category.display + "\" has no room for its rows"});
    }
}

void ShowProgress(size_t done, size_t total) {
    PrintError(u8"\r取り込み中 / importing: " + std::to_string(done) + "/" + std::to_string(total));
    if (done == total) PrintError("\n");
}

}  // namespace

int RunImport(const Arguments& arguments, FILE* input) {
    bool dryRun = arguments.size() == 2 && arguments[0] == "--dry-run";
    if (arguments.size() != 1 && !dryRun) return UsageError(u8"import の使い方が違います。", "import takes [--dry-run] FILE");
    const std::string& file = arguments.back();
    std::string csvText;
    char buffer[65536];
    for (size_t read; (read = fread(buffer, 1, sizeof buffer, input)) > 0;) csvText.append(buffer, read);

    std::vector<CsvRow> rows;
    int faultLine = 0;
    size_t badByte = FirstNonUtf8(csvText);
    if (badByte != std::string::npos) {
        // Counted from 1 in the whole file, as cmp says it and an editor's "go to byte" takes it.
        std::string where = file + ":" + std::to_string(LineAt(csvText, badByte)) + ": ";
        std::string byte = std::to_string(badByte + 1);
        std::string value = ByteValue(csvText[badByte]);
        Report(where + u8"UTF-8 ではありません（ファイルの " + byte + u8" バイト目、" + value + u8"）。",
               where + "not UTF-8 (byte " + byte + " of the file, " + value + ")");
        return EXIT_PROBLEM;
    }
    if (!ParseCsv(csvText, &rows, &faultLine)) {
        Report(file + ":" + std::to_string(faultLine) + u8": CSV として読めません（引用符）。",
               file + ":" + std::to_string(faultLine) + ": not CSV (a quote out of place)");
        return EXIT_PROBLEM;
    }
    std::vector<Fault> faults;
    Columns columns;
    if (rows.empty() || !ReadHeader(rows[0], &columns, &faults)) {
        if (rows.empty()) faults.push_back({1, u8"見出しがありません。", "no header"});
    }
    std::vector<WordEntry> entries;
    std::vector<int> lines;
    if (faults.empty()) {
        for (size_t i = 1; i < rows.size(); i++) {
            WordEntry entry;
            if (!MakeEntry(csvText, rows[i], columns, rows[0].fields.size(), &entry, &faults)) continue;
            entries.push_back(entry);
            lines.push_back(rows[i].line);
        }
        if (faults.empty()) CheckRoom(entries, lines, &faults);
    }
    for (const Fault& fault : faults) {
        std::string where = file + ":" + std::to_string(fault.line) + ":";
        if (fault.column > 0) where += std::to_string(fault.column) + ":";
        Report(where + " " + fault.japanese, where + " " + fault.english);
    }
    if (!faults.empty()) {
        Report(u8"何も登録していません。", "nothing was stored");
        return EXIT_PROBLEM;
    }
    if (dryRun) {
        Tell(std::to_string(entries.size()) + u8" 語を登録できます。", std::to_string(entries.size()) + " words can be stored.");
        return EXIT_DONE;
    }

    bool progress = ErrorIsTerminal() && entries.size() >= 100;
    for (size_t i = 0; i < entries.size(); i++) {
        int result = StoreWordEntry(&entries[i]);
        if (result != WRITE_DONE) {
            if (progress) PrintError("\n");
            std::string line = std::to_string(lines[i]);
            Report(file + ":" + line + u8": 書き込めませんでした。この行から後は登録していません（前の " +
                       std::to_string(i) + u8" 語は登録済み）。",
                   file + ":" + line + ": could not be written; this row and the rest were not stored (the " +
                       std::to_string(i) + " before it were)");
            return EXIT_PROBLEM;
        }
        if (progress && ((i + 1) % 50 == 0 || i + 1 == entries.size())) ShowProgress(i + 1, entries.size());
    }
    Tell(std::to_string(entries.size()) + u8" 語を登録しました。", std::to_string(entries.size()) + " words stored.");
    return EXIT_DONE;
}

}  // namespace wordoria::cli
