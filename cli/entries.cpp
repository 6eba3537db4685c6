#include "entries.h"

#include "text.h"

#include <categories.h>
#include <word_file.h>

#include <climits>

namespace wordoria::cli {
namespace {

std::vector<Category> MakeCategories() {
    std::vector<Category> categories;
    const IndexCategory* table = GetCategoryTable();
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        char folder[CATEGORY_FOLDER_SIZE];
        GetCategoryFolder(table[i].nNumber, folder, sizeof folder);
        categories.push_back({table[i].nNumber, FromShiftJis(table[i].pszDisplay), folder});
    }
    return categories;
}

bool TakePath(const char* path, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(path);
    return true;
}

bool CountPath(const char*, void*) { return true; }

// The stored CR LF between lines, as LF.
std::string WithLineFeeds(const std::string& content) {
    std::string result;
    for (size_t i = 0; i < content.size(); i++) {
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
        result += content[i];
    }
    return result;
}

}  // namespace

const std::vector<Category>& Categories() {
    static const std::vector<Category> categories = MakeCategories();
    return categories;
}

const Category* FindCategoryByName(std::string_view utf8) {
    std::string folded = FoldLatin(utf8);
    for (const Category& category : Categories())
        if (category.display == utf8 || FoldLatin(category.display) == folded) return &category;
    return nullptr;
}

bool ListEntries(const Category& category, std::vector<Entry>* entries) {
    std::vector<std::string> paths;
    if (ListWordFiles(category.number, INT_MAX, TakePath, &paths) < 0) return false;
    for (const std::string& path : paths) {
        WordEntry word{};
        int form = ReadWordEntry(path.c_str(), &word);
        Entry entry;
        entry.path = path;
        entry.exactText = true;
        entry.pathText = FromShiftJis(path);
        entry.fileName = entry.pathText.substr(entry.pathText.rfind('/') + 1);
        entry.name = FromShiftJis(word.szName, &entry.exactText);
        entry.content = WithLineFeeds(FromShiftJis(word.szContent, &entry.exactText));
        entry.storedName = word.szName;
        entry.storedContent = word.szContent;
        entry.form = form;
        entries->push_back(entry);
    }
    return true;
}

int CountWordFiles(const Category& category) { return ListWordFiles(category.number, INT_MAX, CountPath, nullptr); }

std::string DescribeForm(const Entry& entry, std::string* english) {
    switch (entry.form) {
    case ENTRY_NO_NAME:
        if (entry.storedContent.empty()) {
            *english = "it is empty";
            return u8"空です";
        }
        *english = "its name line is empty";
        return u8"単語名の行が空です";
    case ENTRY_NAME_TOO_LONG: *english = "its name is longer than 80 bytes"; return u8"単語名が 80 バイトを超えます";
    case ENTRY_NAME_BREAK: *english = "its name line ends oddly"; return u8"単語名の行末が CR LF ではありません";
    case ENTRY_NO_CONTENT: *english = "it has no content"; return u8"内容がありません";
    case ENTRY_CONTENT_TOO_LONG: *english = "its content is longer than 420 bytes"; return u8"内容が 420 バイトを超えます";
    case ENTRY_TOO_MANY_LINES: *english = "its content has more than 5 lines"; return u8"内容が 5 行を超えます";
    case ENTRY_STRAY_BREAK: *english = "its line breaks are not the store's"; return u8"改行が登録時の形ではありません";
    case ENTRY_TOO_LONG: *english = "it is longer than any word file"; return u8"単語ファイルとして長すぎます";
    default: *english = "it cannot be read"; return u8"読めません";
    }
}

std::string FirstLine(const std::string& content) { return content.substr(0, content.find('\n')); }

}  // namespace wordoria::cli
