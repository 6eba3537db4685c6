// A folder's names as the file system holds them, before the store's
// listing leaves out those it could not name in Shift-JIS.
#pragma once

#include <string>
#include <vector>

namespace wordoria::cli {

struct FolderName {
    std::string text;     // UTF-8 (a byte that is not becomes U+FFFD)
    bool shiftJis;        // the store can name it: a Shift-JIS form, no backslash
    bool folder;
};

// False when the folder (the store's Shift-JIS path) cannot be read.
bool ReadFolderNames(const std::string& sjisFolder, std::vector<FolderName>* names);

}  // namespace wordoria::cli
