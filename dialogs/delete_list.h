// The deletion list: the word files of the deletion dialog's category, read
// with the paths they were found by.
#ifndef WORDORIA_DIALOGS_DELETE_LIST_H
#define WORDORIA_DIALOGS_DELETE_LIST_H

enum { DELETE_TABLE_SIZE = 10000, DELETE_PATH_SIZE = 100 };

struct DeleteRecord {
    char szName[100];
    char bLoaded;
    char szPath[DELETE_PATH_SIZE];
    char szLine[5][100];
};

extern int g_nDeleteCount;
extern DeleteRecord g_aDeleteRecord[DELETE_TABLE_SIZE];

// List the folder of g_nDeleteCategory, one per category group; 1 when the
// folder cannot be searched, 0 otherwise.
int ListDeleteKana();
int ListDeleteLatin();
int ListDeleteSymbol();

// Reads one word file into record g_nDeleteCount; the caller counts it.
int ReadDeleteRecord(const char* pszPath);

#endif
