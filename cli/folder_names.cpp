#include "folder_names.h"

#include "text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace wordoria::cli {
namespace {

bool Nameable(const std::string& utf8) {
    std::string sjis;
    return utf8.find('\\') == std::string::npos && ToShiftJisExact(utf8, &sjis);
}

bool IsDotName(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

#ifdef _WIN32

bool ReadFolderNames(const std::string& sjisFolder, std::vector<FolderName>* names) {
    std::string pattern = FromShiftJis(sjisFolder) + "/*";
    int length = MultiByteToWideChar(CP_UTF8, 0, pattern.c_str(), -1, nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, pattern.c_str(), -1, &wide[0], length);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        int size = WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, nullptr, 0, nullptr, nullptr);
        std::string name(size > 0 ? size - 1 : 0, '\0');
        WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, &name[0], size, nullptr, nullptr);
        if (IsDotName(name)) continue;
        names->push_back({name, Nameable(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

#else

// On Linux the store's Shift-JIS names are UTF-8 on disk.
bool ReadFolderNames(const std::string& sjisFolder, std::vector<FolderName>* names) {
    std::string folder = FromShiftJis(sjisFolder);
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return false;
    while (dirent* item = readdir(directory)) {
        std::string raw = item->d_name;
        if (IsDotName(raw)) continue;
        struct stat status;
        bool isFolder = stat((folder + "/" + raw).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        bool utf8 = IsUtf8(raw);
        std::string text = raw;
        if (!utf8) {
            text.clear();
            for (char c : raw) text += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : "\xEF\xBF\xBD";
        }
        names->push_back({text, utf8 && Nameable(raw), isFolder});
    }
    closedir(directory);
    return true;
}

#endif

}  // namespace wordoria::cli
