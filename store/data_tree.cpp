#include "data_tree.h"

#include "categories.h"

#include <string.h>
#include <windows.h>

namespace {

bool IsFolder(const char* pszPath) {
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(pszPath, &findData);
    if (hFind == INVALID_HANDLE_VALUE) return false;
    FindClose(hFind);
    return (findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A file of the folder's name is in the way, not a folder that exists.
bool MakeFolder(const char* pszPath) {
    if (CreateDirectoryA(pszPath, NULL)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(pszPath);
}

// Makes every folder along the path, parents first.
bool MakeFolderPath(const char* pszPath) {
    char szPart[CATEGORY_FOLDER_SIZE];
    size_t nLength = strlen(pszPath);
    if (nLength >= sizeof szPart) return false;
    for (size_t i = 1; i <= nLength; i++) {
        if (pszPath[i] != '/' && pszPath[i] != '\0') continue;
        memcpy(szPart, pszPath, i);
        szPart[i] = '\0';
        if (!MakeFolder(szPart)) return false;
    }
    return true;
}

}  // namespace

bool MakeDataTree() {
    const IndexCategory* pTable = GetCategoryTable();
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        char szFolder[CATEGORY_FOLDER_SIZE];
        if (!GetCategoryFolder(pTable[i].nNumber, szFolder, sizeof szFolder) || !MakeFolderPath(szFolder))
            return false;
    }
    return true;
}
