#include "categories.h"

#include <stdio.h>

namespace {

const IndexCategory s_aCategory[CATEGORY_COUNT] = {
    {1, GROUP_KANA, "あ", "あ行", 1002, 0, 0},
    {2, GROUP_KANA, "い", "あ行", 1004, 0, 1},
    {3, GROUP_KANA, "う", "あ行", 1005, 0, 2},
    {4, GROUP_KANA, "え", "あ行", 1006, 0, 3},
    {5, GROUP_KANA, "お", "あ行", 1007, 0, 4},
    {6, GROUP_KANA, "か", "か行", 1013, 1, 0},
    {7, GROUP_KANA, "き", "か行", 1014, 1, 1},
    {8, GROUP_KANA, "く", "か行", 1015, 1, 2},
    {9, GROUP_KANA, "け", "か行", 1016, 1, 3},
    {10, GROUP_KANA, "こ", "か行", 1017, 1, 4},
    {11, GROUP_KANA, "さ", "さ行", 1018, 2, 0},
    {12, GROUP_KANA, "し", "さ行", 1019, 2, 1},
    {13, GROUP_KANA, "す", "さ行", 1020, 2, 2},
    {14, GROUP_KANA, "せ", "さ行", 1021, 2, 3},
    {15, GROUP_KANA, "そ", "さ行", 1022, 2, 4},
    {16, GROUP_KANA, "た", "た行", 1023, 3, 0},
    {17, GROUP_KANA, "ち", "た行", 1024, 3, 1},
    {18, GROUP_KANA, "つ", "た行", 1025, 3, 2},
    {19, GROUP_KANA, "て", "た行", 1026, 3, 3},
    {20, GROUP_KANA, "と", "た行", 1027, 3, 4},
    {21, GROUP_KANA, "な", "な行", 1028, 4, 0},
    {22, GROUP_KANA, "に", "な行", 1029, 4, 1},
    {23, GROUP_KANA, "ぬ", "な行", 1030, 4, 2},
    {24, GROUP_KANA, "ね", "な行", 1031, 4, 3},
    {25, GROUP_KANA, "の", "な行", 1032, 4, 4},
    {26, GROUP_KANA, "は", "は行", 1033, 5, 0},
    {27, GROUP_KANA, "ひ", "は行", 1034, 5, 1},
    {28, GROUP_KANA, "ふ", "は行", 1035, 5, 2},
    {29, GROUP_KANA, "へ", "は行", 1036, 5, 3},
    {30, GROUP_KANA, "ほ", "は行", 1037, 5, 4},
    {31, GROUP_KANA, "ま", "ま行", 1038, 6, 0},
    {32, GROUP_KANA, "み", "ま行", 1039, 6, 1},
    {33, GROUP_KANA, "む", "ま行", 1040, 6, 2},
    {34, GROUP_KANA, "め", "ま行", 1041, 6, 3},
    {35, GROUP_KANA, "も", "ま行", 1042, 6, 4},
    // The や row has cells in columns 0, 2 and 4 only; よ's button id is out of sequence.
    {36, GROUP_KANA, "や", "や行", 1043, 7, 0},
    {38, GROUP_KANA, "ゆ", "や行", 1045, 7, 2},
    {40, GROUP_KANA, "よ", "や行", 1009, 7, 4},
    {41, GROUP_KANA, "ら", "ら行", 1048, 8, 0},
    {42, GROUP_KANA, "り", "ら行", 1049, 8, 1},
    {43, GROUP_KANA, "る", "ら行", 1050, 8, 2},
    {44, GROUP_KANA, "れ", "ら行", 1051, 8, 3},
    {45, GROUP_KANA, "ろ", "ら行", 1052, 8, 4},
    {46, GROUP_KANA, "わ", "わ行", 1053, 9, 0},
    {47, GROUP_KANA, "を", "わ行", 1054, 9, 1},
    {48, GROUP_KANA, "ん", "わ行", 1055, 9, 2},
    {51, GROUP_LATIN, "A", NULL, 1083, 0, 0},
    {52, GROUP_LATIN, "B", NULL, 1084, 0, 1},
    {53, GROUP_LATIN, "C", NULL, 1085, 0, 2},
    {54, GROUP_LATIN, "D", NULL, 1086, 0, 3},
    {55, GROUP_LATIN, "E", NULL, 1087, 0, 4},
    {56, GROUP_LATIN, "F", NULL, 1088, 1, 0},
    {57, GROUP_LATIN, "G", NULL, 1089, 1, 1},
    {58, GROUP_LATIN, "H", NULL, 1090, 1, 2},
    {59, GROUP_LATIN, "I", NULL, 1091, 1, 3},
    {60, GROUP_LATIN, "J", NULL, 1092, 1, 4},
    {61, GROUP_LATIN, "K", NULL, 1093, 2, 0},
    {62, GROUP_LATIN, "L", NULL, 1094, 2, 1},
    {63, GROUP_LATIN, "M", NULL, 1095, 2, 2},
    {64, GROUP_LATIN, "N", NULL, 1096, 2, 3},
    {65, GROUP_LATIN, "O", NULL, 1097, 2, 4},
    {66, GROUP_LATIN, "P", NULL, 1098, 3, 0},
    {67, GROUP_LATIN, "Q", NULL, 1099, 3, 1},
    {68, GROUP_LATIN, "R", NULL, 1100, 3, 2},
    {69, GROUP_LATIN, "S", NULL, 1101, 3, 3},
    {70, GROUP_LATIN, "T", NULL, 1102, 3, 4},
    {71, GROUP_LATIN, "U", NULL, 1103, 4, 0},
    {72, GROUP_LATIN, "V", NULL, 1104, 4, 1},
    {73, GROUP_LATIN, "W", NULL, 1105, 4, 2},
    {74, GROUP_LATIN, "X", NULL, 1106, 4, 3},
    {75, GROUP_LATIN, "Y", NULL, 1107, 4, 4},
    {76, GROUP_LATIN, "Z", NULL, 1108, 5, 0},
    {81, GROUP_SYMBOL, "記号", NULL, 1109, 0, 0},
};

int s_aButtonId[CATEGORY_COUNT];

const IndexCategory* FindInGrid(int nGroup, int nRow, int nColumn) {
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        const IndexCategory& category = s_aCategory[i];
        if (category.nGroup == nGroup && category.nGridRow == nRow && category.nGridColumn == nColumn)
            return &category;
    }
    return NULL;
}

}  // namespace

const IndexCategory* FindCategory(int nNumber) {
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        if (s_aCategory[i].nNumber == nNumber) return &s_aCategory[i];
    }
    return NULL;
}

int GetCategoryGroup(int nNumber) {
    const IndexCategory* pCategory = FindCategory(nNumber);
    return pCategory != NULL ? pCategory->nGroup : GROUP_NONE;
}

const char* GetCategoryDisplay(int nNumber) {
    const IndexCategory* pCategory = FindCategory(nNumber);
    return pCategory != NULL ? pCategory->pszDisplay : NULL;
}

bool GetCategoryFolder(int nNumber, char* pszFolder, int nSize) {
    const IndexCategory* pCategory = FindCategory(nNumber);
    if (pCategory == NULL || pszFolder == NULL || nSize <= 0) return false;
    int nLength = -1;
    switch (pCategory->nGroup) {
    case GROUP_KANA:
        nLength = snprintf(pszFolder, nSize, "DATA/日本語/%s/%s", pCategory->pszRow, pCategory->pszDisplay);
        break;
    case GROUP_LATIN: nLength = snprintf(pszFolder, nSize, "DATA/英語/%s", pCategory->pszDisplay); break;
    case GROUP_SYMBOL: nLength = snprintf(pszFolder, nSize, "DATA/%s", pCategory->pszDisplay); break;
    }
    if (nLength < 0 || nLength >= nSize) {
        pszFolder[0] = '\0';
        return false;
    }
    return true;
}

int GetKanaCategory(int nRow, int nColumn) {
    const IndexCategory* pCategory = FindInGrid(GROUP_KANA, nRow, nColumn);
    return pCategory != NULL ? pCategory->nNumber : CATEGORY_NONE;
}

int GetLatinCategory(int nRow, int nColumn) {
    const IndexCategory* pCategory = FindInGrid(GROUP_LATIN, nRow, nColumn);
    return pCategory != NULL ? pCategory->nNumber : CATEGORY_NONE;
}

bool GetKanaFolder(int nRow, int nColumn, char* pszFolder, int nSize) {
    return GetCategoryFolder(GetKanaCategory(nRow, nColumn), pszFolder, nSize);
}

bool GetLatinFolder(int nRow, int nColumn, char* pszFolder, int nSize) {
    return GetCategoryFolder(GetLatinCategory(nRow, nColumn), pszFolder, nSize);
}

bool GetSymbolFolder(char* pszFolder, int nSize) {
    return GetCategoryFolder(CATEGORY_SYMBOL, pszFolder, nSize);
}

int GetCategoryOfButton(int nButtonId) {
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        if (s_aCategory[i].nButtonId == nButtonId) return s_aCategory[i].nNumber;
    }
    return CATEGORY_NONE;
}

const int* GetCategoryButtonIds() {
    if (s_aButtonId[0] == 0) {
        for (int i = 0; i < CATEGORY_COUNT; i++) s_aButtonId[i] = s_aCategory[i].nButtonId;
    }
    return s_aButtonId;
}

const IndexCategory* GetCategoryTable() { return s_aCategory; }
