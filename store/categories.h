// The 73 index categories every entry is filed under: one table shared by the
// store, the view's index panel and both dialogs.
#ifndef WORDORIA_STORE_CATEGORIES_H
#define WORDORIA_STORE_CATEGORIES_H

enum {
    CATEGORY_NONE = 0,
    CATEGORY_SYMBOL = 81,
    CATEGORY_COUNT = 73,
    CATEGORY_FOLDER_SIZE = 32,  // longest folder: DATA/日本語/あ行/あ, 19 bytes
};

enum CategoryGroup {
    GROUP_NONE = 0,
    GROUP_KANA,
    GROUP_LATIN,
    GROUP_SYMBOL,
};

struct IndexCategory {
    int nNumber;
    int nGroup;              // CategoryGroup
    const char* pszDisplay;  // the kana, the ASCII letter or 記号
    const char* pszRow;      // kana only: the row folder, e.g. か行; otherwise NULL
    int nButtonId;           // the radio button in both dialogs
    int nGridRow;            // kana or Latin grid position in the index panel; 0 for 記号
    int nGridColumn;
};

// The entry of a category number; NULL for 0 and every number not in the table.
const IndexCategory* FindCategory(int nNumber);

int GetCategoryGroup(int nNumber);
const char* GetCategoryDisplay(int nNumber);  // NULL outside the table

// Writes the category's folder, e.g. DATA/日本語/か行/き; false outside the table.
bool GetCategoryFolder(int nNumber, char* pszFolder, int nSize);

// Category numbers of the index panel's cells; 0 for an empty cell.
int GetKanaCategory(int nRow, int nColumn);
int GetLatinCategory(int nRow, int nColumn);

bool GetKanaFolder(int nRow, int nColumn, char* pszFolder, int nSize);
bool GetLatinFolder(int nRow, int nColumn, char* pszFolder, int nSize);
bool GetSymbolFolder(char* pszFolder, int nSize);

// The category of a dialog's radio button; 0 for any other id.
int GetCategoryOfButton(int nButtonId);

// All 73 radio-button ids, in dialog template order (あ first, 記号 last).
const int* GetCategoryButtonIds();

// The table itself, in the same order.
const IndexCategory* GetCategoryTable();

#endif
