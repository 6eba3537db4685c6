#include "delete_list.h"

#include "delete_dialog.h"

#include <categories.h>
#include <word_file.h>

#include <stddef.h>
#include <string.h>

// The record's layout is part of what the deletion list keeps: 701 bytes,
// fields in this order.
static_assert(sizeof(DeleteRecord) == 701, "a deletion record is 701 bytes");
static_assert(offsetof(DeleteRecord, szName) == 0, "szName comes first");
static_assert(offsetof(DeleteRecord, bLoaded) == 100, "bLoaded follows the name");
static_assert(offsetof(DeleteRecord, szPath) == 101, "szPath follows bLoaded");
static_assert(offsetof(DeleteRecord, szLine) == 201, "the five lines come last");

int g_nDeleteCount = 0;
DeleteRecord g_aDeleteRecord[DELETE_TABLE_SIZE];

namespace {

// List position i must stay record i: a file whose path does not fit a
// record is left out, not half stored.
bool ReadListedFile(const char* pszPath, void*) {
    if (strlen(pszPath) >= DELETE_PATH_SIZE) return false;
    ReadDeleteRecord(pszPath);
    g_nDeleteCount++;
    return true;
}

int ListCategory(int nGroup) {
    if (GetCategoryGroup(g_nDeleteCategory) != nGroup) return 1;
    g_nDeleteCount = 0;
    return ListWordFiles(g_nDeleteCategory, DELETE_TABLE_SIZE, ReadListedFile, NULL) < 0 ? 1 : 0;
}

}  // namespace

int ListDeleteKana() { return ListCategory(GROUP_KANA); }

int ListDeleteLatin() { return ListCategory(GROUP_LATIN); }

int ListDeleteSymbol() { return ListCategory(GROUP_SYMBOL); }

// A file that cannot be opened still takes its place, with an empty name.
int ReadDeleteRecord(const char* pszPath) {
    DeleteRecord& record = g_aDeleteRecord[g_nDeleteCount];
    record.szPath[0] = '\0';
    record.bLoaded = 0;
    ReadWordFile(pszPath, record.szName, record.szLine);
    record.bLoaded = 1;
    strncpy(record.szPath, pszPath, DELETE_PATH_SIZE - 1);
    record.szPath[DELETE_PATH_SIZE - 1] = '\0';
    return 0;
}
