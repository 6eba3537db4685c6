// import: every row checked first, then each stored as a registration
// stores it; one bad row and nothing is written. The file is read a record
// at a time, once for each of those passes.
#include "commands.h"

#include "console.h"
#include "csv.h"
#include "entries.h"
#include "import_input.h"
#include "text.h"
#include "word_key.h"

#include <word_file.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <stdio.h>
#include <unordered_set>

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

// One record as read: its UTF-8 text, the line it begins on, its fields.
struct Record {
    std::string text;
    int line = 0;
    CsvRow row;
};

// The line, counted from 1 in the file, that holds the record's byte at offset.
int LineAt(const Record& record, size_t offset) {
    return record.line + static_cast<int>(std::count(record.text.begin(), record.text.begin() + offset, '\n'));
}

std::string ByteValue(unsigned char byte) {
    char hex[8];
    snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

// The character, counted from 1 in its line, that the byte at offset is or
// begins, as an editor shows the column.
int ColumnAt(std::string_view text, size_t offset) {
    size_t lineBreak = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
    size_t start = lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
    int column = 1;
    for (size_t i = start; i < offset; i++)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) column++;
    return column;
}

// A NUL would cut the word file where it stands, and 0x1A ends its reading
// there: a field holding either could not be read back as it was given.
bool CheckStorableBytes(const Record& record, int column, const std::string& japanese, const std::string& english,
                        std::vector<Fault>* faults) {
    const CsvRow& row = record.row;
    size_t at = row.fields[column].find_first_of(std::string_view("\0\x1A", 2));
    if (at == std::string::npos) return true;
    size_t offset = CsvTextOffset(row, column, at);
    bool nul = record.text[offset] == '\0';
    std::string why = nul ? u8"に NUL（0x00）があります。単語ファイルはそこで切れてしまいます。"
                          : u8"に 0x1A（Ctrl+Z）があります。単語ファイルはそこで読み終わってしまいます。";
    std::string whyEnglish = nul ? " holds a NUL byte (0x00), where a word file would be cut"
                                 : " holds byte 0x1A (Ctrl+Z), where a word file's reading ends";
    faults->push_back({LineAt(record, offset), japanese + why, english + whyEnglish, ColumnAt(record.text, offset)});
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
bool MakeEntry(const Record& record, const Columns& columns, size_t width, WordEntry* entry,
               std::vector<Fault>* faults) {
    const CsvRow& row = record.row;
    if (row.fields.size() != width) {
        faults->push_back({row.line, u8"列の数が見出しと違います。",
                           "the record has " + Count(row.fields.size(), "field", "fields") + ", the header " +
                               std::to_string(width)});
        return false;
    }
    bool good = CheckStorableBytes(record, columns.category, u8"索引カテゴリ", "the category", faults);
    good = CheckStorableBytes(record, columns.name, u8"単語名", "the name", faults) && good;
    good = CheckStorableBytes(record, columns.content, u8"内容", "the content", faults) && good;
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

void ReportFault(const std::string& file, const Fault& fault) {
    std::string where = file + ":" + std::to_string(fault.line) + ":";
    if (fault.column > 0) where += std::to_string(fault.column) + ":";
    Report(where + " " + fault.japanese, where + " " + fault.english);
}

struct Options {
    bool dryRun = false;
    bool keepDuplicates = false;
    std::string file;
};

bool ReadOptions(const Arguments& arguments, Options* options) {
    for (size_t i = 0; i + 1 < arguments.size(); i++) {
        if (arguments[i] == "--dry-run")
            options->dryRun = true;
        else if (arguments[i] == "--keep-duplicates")
            options->keepDuplicates = true;
        else
            return false;
    }
    if (arguments.empty()) return false;
    options->file = arguments.back();
    return true;
}

enum class Step { RECORD, END, FAULT };

// The next record that holds fields; a fault that stops the reading is said.
Step ReadRecord(ImportInput* input, const std::string& file, Record* record) {
    for (;;) {
        switch (input->NextRecord(&record->text, &record->line)) {
        case ImportInput::END: return Step::END;
        case ImportInput::READ_FAILED:
            Report(u8"ファイル「" + file + u8"」を読めません。", "cannot read the file \"" + file + "\"");
            return Step::FAULT;
        case ImportInput::TOO_LONG:
            Report(file + ":" + std::to_string(record->line) + u8": 1 MiB を超えるレコードです（閉じていない引用符？）。",
                   file + ":" + std::to_string(record->line) +
                       ": a record longer than 1 MiB (a quote never closed?)");
            return Step::FAULT;
        case ImportInput::RECORD: break;
        }
        std::vector<CsvRow> rows;
        int faultLine = 0;
        if (!ParseCsv(record->text, &rows, &faultLine)) {
            std::string where = file + ":" + std::to_string(record->line + faultLine - 1);
            Report(where + u8": CSV として読めません（引用符）。", where + ": not CSV (a quote out of place)");
            return Step::FAULT;
        }
        if (rows.empty()) continue;  // a blank line holds no record
        record->row = rows[0];
        record->row.line += record->line - 1;
        return Step::RECORD;
    }
}

// The words already stored, category by category as rows first name them,
// and the rows met before: what a row would only store a second time.
class KnownWords {
public:
    // Whether the entry's word is known; it is known from now on.
    bool Seen(const WordEntry& entry) {
        Load(entry.nCategory);
        return !keys_.insert(WordKey(entry.nCategory, entry.szName, entry.szContent)).second;
    }

private:
    void Load(int number) {
        if (!loaded_.insert(number).second) return;
        for (const Category& category : Categories()) {
            if (category.number != number) continue;
            std::vector<Entry> entries;
            ListEntries(category, &entries);  // a missing folder is the room check's to say
            for (const Entry& entry : entries) keys_.insert(WordKey(number, entry.storedName, entry.storedContent));
        }
    }

    std::unordered_set<std::string> keys_;
    std::set<int> loaded_;
};

// What the check learns for the writing: each row's columns and whether it
// repeats a word, and how many rows each category takes.
struct Checked {
    Columns columns;
    size_t width = 0;
    int faults = 0;
    std::vector<bool> repeats;  // one flag a row: memory for a 100 MB file stays small
    std::map<int, int> wanted;
    std::map<int, int> lastLine;
    size_t toStore = 0;
    size_t skipped = 0;
};

// A category with no room for its rows is a fault found before writing.
void CheckRoom(const std::string& file, Checked* checked) {
    for (const Category& category : Categories()) {
        auto rows = checked->wanted.find(category.number);
        if (rows == checked->wanted.end()) continue;
        int line = checked->lastLine[category.number];
        int present = CountWordFiles(category);
        if (present < 0) {
            std::string folder = FromShiftJis(category.folder);
            ReportFault(file, {line, u8"フォルダー " + folder + u8" がありません。", "the folder " + folder + " is missing"});
            checked->faults++;
        } else if (present + rows->second > WORD_NUMBER_MAX) {
            ReportFault(file, {line, u8"索引カテゴリ「" + category.display + u8"」に入りきりません。",
                               "the index category \"" + category.display + "\" has no room for its rows"});
            checked->faults++;
        }
    }
}

// Reads every row, says each fault, and counts what would be stored.
bool CheckRows(ImportInput* input, const Options& options, Checked* checked) {
    Record record;
    Step step = ReadRecord(input, options.file, &record);
    if (step == Step::FAULT) return false;
    std::vector<Fault> faults;
    if (step == Step::END) faults.push_back({1, u8"見出しがありません。", "no header"});
    if (step == Step::RECORD) ReadHeader(record.row, &checked->columns, &faults);
    checked->width = record.row.fields.size();
    for (const Fault& fault : faults) ReportFault(options.file, fault);
    if (!faults.empty()) return false;

    KnownWords known;
    while ((step = ReadRecord(input, options.file, &record)) == Step::RECORD) {
        WordEntry entry;
        if (!MakeEntry(record, checked->columns, checked->width, &entry, &faults)) {
            for (const Fault& fault : faults) ReportFault(options.file, fault);
            checked->faults += static_cast<int>(faults.size());
            faults.clear();
            continue;
        }
        bool repeat = known.Seen(entry);
        checked->repeats.push_back(repeat);
        if (repeat && !options.keepDuplicates) {
            checked->skipped++;
            continue;
        }
        checked->wanted[entry.nCategory]++;
        checked->lastLine[entry.nCategory] = record.row.line;
        checked->toStore++;
    }
    if (step == Step::FAULT) return false;
    if (checked->faults == 0) CheckRoom(options.file, checked);
    return checked->faults == 0;
}

void ShowProgress(size_t done, size_t total) {
    PrintError("\r" + std::string(InLanguage(u8"取り込み中: ", "importing: ")) + std::to_string(done) + "/" +
               std::to_string(total));
    if (done == total) PrintError("\n");
}

// The rows queued and not yet stored, so a failure can name its row.
class Progress {
public:
    Progress(size_t total) : total_(total), shown_(ErrorIsTerminal() && total >= 100) {}

    void Queued(int line) { pending_.push_back(line); }

    void Update() {
        size_t stored = static_cast<size_t>(WordBatchStored());
        pending_.erase(pending_.begin(), pending_.begin() + (stored - stored_));
        if (shown_ && stored != stored_) ShowProgress(stored, total_);
        stored_ = stored;
    }

    size_t Stored() const { return stored_; }
    int FailedLine() const { return pending_.empty() ? 0 : pending_.front(); }
    void EndLine() const {
        if (shown_ && stored_ != total_) PrintError("\n");
    }

private:
    size_t total_;
    bool shown_;
    size_t stored_ = 0;
    std::deque<int> pending_;
};

int ReportWriteFailure(const std::string& file, const Progress& progress) {
    progress.EndLine();
    std::string line = std::to_string(progress.FailedLine());
    std::string before = std::to_string(progress.Stored());
    Report(file + ":" + line + u8": 書き込めませんでした。この行から後は登録していません（前の " + before +
               u8" 語は登録済み）。",
           file + ":" + line + ": could not be written; this row and the rest were not stored (" +
               Words(progress.Stored()) + (progress.Stored() == 1 ? " before it was)" : " before it were)"));
    return EXIT_PROBLEM;
}

// Reads the rows again, as checked, and stores those the check let through.
int StoreRows(ImportInput* input, const Options& options, const Checked& checked, Progress* progress) {
    Record record;
    Step step = ReadRecord(input, options.file, &record);  // the header
    size_t index = 0;
    BeginWordBatch();
    while (step == Step::RECORD && (step = ReadRecord(input, options.file, &record)) == Step::RECORD) {
        WordEntry entry;
        std::vector<Fault> faults;
        if (index == checked.repeats.size() || !MakeEntry(record, checked.columns, checked.width, &entry, &faults)) {
            step = Step::FAULT;
            Report(options.file + u8": 取り込み中にファイルが変わりました。",
                   options.file + ": the file changed while it was imported");
            break;
        }
        if (checked.repeats[index++] && !options.keepDuplicates) continue;
        progress->Queued(record.row.line);
        int result = QueueWordEntry(&entry);
        progress->Update();
        if (result != WRITE_DONE) return ReportWriteFailure(options.file, *progress);
    }
    int result = EndWordBatch();
    progress->Update();
    if (result != WRITE_DONE) return ReportWriteFailure(options.file, *progress);
    if (step == Step::FAULT) {
        progress->EndLine();
        std::string stored = std::to_string(progress->Stored());
        Report(stored + u8" 語を登録したところで止めました。", "stopped after " + Count(progress->Stored(), "word", "words") + " stored");
        return EXIT_PROBLEM;
    }
    return EXIT_DONE;
}

void ReportEncoding(const std::string& file, const EncodingFound& found) {
    const BadByte& bad = found.notUtf8;
    std::string where = file + ":" + std::to_string(bad.line) + ": ";
    std::string byte = std::to_string(bad.byte);
    std::string value = ByteValue(bad.value);
    if (found.byteOrderMark) {
        Report(where + u8"UTF-8 ではありません（ファイルの " + byte + u8" バイト目、" + value +
                   u8"）。UTF-8 の BOM で始まっています。",
               where + "not UTF-8 (byte " + byte + " of the file, " + value +
                   "), though it begins with a UTF-8 byte-order mark");
        return;
    }
    const BadByte& other = found.notShiftJis;
    std::string otherByte = std::to_string(other.byte);
    std::string otherValue = ByteValue(other.value);
    std::string otherLine = std::to_string(other.line);
    Report(where + u8"UTF-8 ではありません（ファイルの " + byte + u8" バイト目、" + value + u8"）。Shift-JIS でもありません（" +
               otherLine + u8" 行目、ファイルの " + otherByte + u8" バイト目、" + otherValue + u8"）。",
           where + "not UTF-8 (byte " + byte + " of the file, " + value + "), nor Shift-JIS (line " + otherLine +
               ", byte " + otherByte + " of the file, " + otherValue + ")");
}

void TellDone(const Options& options, const Checked& checked, InputEncoding encoding) {
    bool sjis = encoding == InputEncoding::ShiftJis;
    std::string count = std::to_string(checked.toStore);
    std::string skipped = std::to_string(checked.skipped);
    std::string japanese = count + (options.dryRun ? u8" 語を登録できます" : u8" 語を登録しました") +
                           (sjis ? u8"（Shift-JIS として読みました）。" : u8"（UTF-8 として読みました）。");
    std::string english = Count(checked.toStore, "word", "words") + (options.dryRun ? " can be stored" : " stored") +
                          (sjis ? " (read as Shift-JIS, code page 932)." : " (read as UTF-8).");
    if (checked.skipped > 0) {
        japanese += u8"登録済みの単語と同じ " + skipped + (options.dryRun ? u8" 行は飛ばします。" : u8" 行は飛ばしました。");
        const char* one = options.dryRun ? "row repeats a stored word and would be" : "row repeated a stored word and was";
        const char* many =
            options.dryRun ? "rows repeat a stored word and would be" : "rows repeated a stored word and were";
        english += " " + Count(checked.skipped, one, many) + " skipped; --keep-duplicates stores them.";
    }
    Tell(japanese, english);
}

}  // namespace

int RunImport(const Arguments& arguments, FILE* input) {
    Options options;
    if (!ReadOptions(arguments, &options))
        return UsageError(u8"import の使い方が違います。", "import takes [--dry-run] [--keep-duplicates] FILE");
    ImportInput reader(input);
    EncodingFound found;
    if (!reader.MakeRereadable() || !reader.FindEncoding(&found)) {
        Report(u8"ファイル「" + options.file + u8"」を読めません。", "cannot read the file \"" + options.file + "\"");
        return EXIT_PROBLEM;
    }
    if (!found.known) {
        ReportEncoding(options.file, found);
        return EXIT_PROBLEM;
    }
    if (found.encoding == InputEncoding::ShiftJis)
        Report(options.file + u8": UTF-8 ではないため、Shift-JIS（コードページ 932）として読みます。",
               options.file + ": not UTF-8, so read as Shift-JIS (code page 932)");

    Checked checked;
    if (!reader.Restart(found.encoding) || !CheckRows(&reader, options, &checked)) {
        Report(u8"何も登録していません。", "nothing was stored");
        return EXIT_PROBLEM;
    }
    if (!options.dryRun) {
        Progress progress(checked.toStore);
        if (!reader.Restart(found.encoding)) return ReportWriteFailure(options.file, progress);
        int status = StoreRows(&reader, options, checked, &progress);
        if (status != EXIT_DONE) return status;
    }
    TellDone(options, checked, found.encoding);
    return EXIT_DONE;
}

}  // namespace wordoria::cli
