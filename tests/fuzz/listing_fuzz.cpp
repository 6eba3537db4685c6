// Fuzzes the listing of a category folder over generated folders: names of
// any bytes, files and subfolders, any capacity. Every path handed out lies
// in the folder, fits the path buffer, and the count never passes the capacity.
#include <data_tree.h>
#include <word_file.h>

#include <ansi_stdio.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>
#include <string>
#include <unistd.h>

namespace {

struct Seen {
    std::string folder;
    int count = 0;
};

bool Visit(const char* path, void* context) {
    auto* seen = static_cast<Seen*>(context);
    size_t length = strlen(path);
    if (length >= WORD_PATH_SIZE) abort();
    if (strncmp(path, seen->folder.c_str(), seen->folder.size()) != 0 || path[seen->folder.size()] != '/') abort();
    char name[WORD_FIELD_SIZE];
    char lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    ReadWordFile(path, name, lines);  // whatever the entry is, reading it is safe
    ++seen->count;
    return (length & 1) == 0 || seen->count % 3 != 0;  // leave some out, as a caller may
}

// Empties a folder by the program's own functions, so names of any bytes go.
void ClearFolder(const char* folder) {
    WIN32_FIND_DATAA entry;
    std::string pattern = std::string(folder) + "/*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::pair<std::string, bool>> found;
    do {
        if (strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            found.emplace_back(std::string(folder) + "/" + entry.cFileName,
                               (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    for (const auto& [path, isFolder] : found) {
        if (isFolder ? !RemoveDirectoryA(path.c_str()) : !DeleteFileA(path.c_str())) {
            // A name with no Shift-JIS form comes back with '?': remove it by its disk name.
            std::error_code error;
            std::filesystem::remove_all(std::filesystem::current_path() / "DATA", error);
            if (!MakeDataTree()) abort();
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    // One DATA tree for the run, made through the store's own install step;
    // each input starts from an empty category folder.
    static const bool ready = [] {
        fs::path root = fs::temp_directory_path() / ("wordoria-fuzz-list-" + std::to_string(getpid()));
        fs::create_directories(root);
        return chdir(root.c_str()) == 0 && MakeDataTree();
    }();
    if (!ready) abort();
    char folder[CATEGORY_FOLDER_SIZE];
    int category = size > 0 && (data[0] & 0x80) ? 81 : 7;
    if (!GetCategoryFolder(category, folder, sizeof folder)) abort();
    ClearFolder(folder);

    // Input: [capacity] then entries of [kind, length, name bytes...].
    int capacity = size > 0 ? data[0] % 16 : 0;
    size_t at = 1;
    while (at + 2 <= size) {
        bool isFolder = data[at] & 1;
        size_t length = 1 + data[at + 1] % 40;
        at += 2;
        if (at + length > size) break;
        std::string name(reinterpret_cast<const char*>(data + at), length);
        at += length;
        if (name.find('\0') != std::string::npos || name.find('/') != std::string::npos) continue;
        std::string path = std::string(folder) + "/" + name;
        if (isFolder) {
            CreateDirectoryA(path.c_str(), nullptr);
        } else if (FILE* file = ansi_fopen(path.c_str(), "wb")) {
            fwrite(name.data(), 1, name.size(), file);
            fclose(file);
        }
    }
    Seen seen{folder};
    int taken = ListWordFiles(category, capacity, Visit, &seen);
    if (taken > capacity || taken > seen.count) abort();
    return 0;
}
