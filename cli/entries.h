// The word store as the tool sees it: the categories by their display text,
// and the entries of a category in the order the window lists them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wordoria::cli {

struct Category {
    int number;
    std::string display;  // UTF-8: the kana, the letter or 記号
    std::string folder;   // the store's Shift-JIS path, DATA/...
};

// All 73, in the table's order.
const std::vector<Category>& Categories();

// By display text: a kana, a letter in either width and case, or 記号.
const Category* FindCategoryByName(std::string_view utf8);

struct Entry {
    std::string path;      // the store's Shift-JIS path
    std::string pathText;  // the same, UTF-8
    std::string fileName;  // UTF-8
    std::string name;      // UTF-8
    std::string content;   // UTF-8, LF between lines
    std::string storedName;     // Shift-JIS, as read
    std::string storedContent;  // Shift-JIS, breaks as read
    int form;              // ENTRY_IN_FORM or the first fault (word_file.h)
    bool exactText;        // every byte of name and content was Shift-JIS
};

// The category's entries, each read whole; false when its folder cannot be
// searched (a missing folder).
bool ListEntries(const Category& category, std::vector<Entry>* entries);

// How many word files the window lists in the category, none of them read;
// -1 when its folder cannot be searched.
int CountWordFiles(const Category& category);

// Why an entry is not as the store writes a word (entry.form), in Japanese,
// and in English through english.
std::string DescribeForm(const Entry& entry, std::string* english);

// The first line of a content.
std::string FirstLine(const std::string& content);

}  // namespace wordoria::cli
