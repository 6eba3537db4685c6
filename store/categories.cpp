#include "categories.h"

#include <resource.h>

#include <stdio.h>

namespace {

const IndexCategory s_aCategory[CATEGORY_COUNT] = {
    {1, GROUP_KANA, "あ", "あ行", IDC_KANA_A, 0, 0},
    {2, GROUP_KANA, "い", "あ行", IDC_KANA_I, 0, 1},
    {3, GROUP_KANA, "う", "あ行", IDC_KANA_U, 0, 2},
    {4, GROUP_KANA, "え", "あ行", IDC_KANA_E, 0, 3},
    {5, GROUP_KANA, "お", "あ行", IDC_KANA_O, 0, 4},
    {6, GROUP_KANA, "か", "か行", IDC_KANA_KA, 1, 0},
    {7, GROUP_KANA, "き", "か行", IDC_KANA_KI, 1, 1},
    {8, GROUP_KANA, "く", "か行", IDC_KANA_KU, 1, 2},
    {9, GROUP_KANA, "け", "か行", IDC_KANA_KE, 1, 3},
    {10, GROUP_KANA, "こ", "か行", IDC_KANA_KO, 1, 4},
    {11, GROUP_KANA, "さ", "さ行", IDC_KANA_SA, 2, 0},
    {12, GROUP_KANA, "し", "さ行", IDC_KANA_SHI, 2, 1},
    {13, GROUP_KANA, "す", "さ行", IDC_KANA_SU, 2, 2},
    {14, GROUP_KANA, "せ", "さ行", IDC_KANA_SE, 2, 3},
    {15, GROUP_KANA, "そ", "さ行", IDC_KANA_SO, 2, 4},
    {16, GROUP_KANA, "た", "た行", IDC_KANA_TA, 3, 0},
    {17, GROUP_KANA, "ち", "た行", IDC_KANA_CHI, 3, 1},
    {18, GROUP_KANA, "つ", "た行", IDC_KANA_TSU, 3, 2},
    {19, GROUP_KANA, "て", "た行", IDC_KANA_TE, 3, 3},
    {20, GROUP_KANA, "と", "た行", IDC_KANA_TO, 3, 4},
    {21, GROUP_KANA, "な", "な行", IDC_KANA_NA, 4, 0},
    {22, GROUP_KANA, "に", "な行", IDC_KANA_NI, 4, 1},
    {23, GROUP_KANA, "ぬ", "な行", IDC_KANA_NU, 4, 2},
    {24, GROUP_KANA, "ね", "な行", IDC_KANA_NE, 4, 3},
    {25, GROUP_KANA, "の", "な行", IDC_KANA_NO, 4, 4},
    {26, GROUP_KANA, "は", "は行", IDC_KANA_HA, 5, 0},
    {27, GROUP_KANA, "ひ", "は行", IDC_KANA_HI, 5, 1},
    {28, GROUP_KANA, "ふ", "は行", IDC_KANA_FU, 5, 2},
    {29, GROUP_KANA, "へ", "は行", IDC_KANA_HE, 5, 3},
    {30, GROUP_KANA, "ほ", "は行", IDC_KANA_HO, 5, 4},
    {31, GROUP_KANA, "ま", "ま行", IDC_KANA_MA, 6, 0},
    {32, GROUP_KANA, "み", "ま行", IDC_KANA_MI, 6, 1},
    {33, GROUP_KANA, "む", "ま行", IDC_KANA_MU, 6, 2},
    {34, GROUP_KANA, "め", "ま行", IDC_KANA_ME, 6, 3},
    {35, GROUP_KANA, "も", "ま行", IDC_KANA_MO, 6, 4},
    // The や row has cells in columns 0, 2 and 4 only.
    {36, GROUP_KANA, "や", "や行", IDC_KANA_YA, 7, 0},
    {38, GROUP_KANA, "ゆ", "や行", IDC_KANA_YU, 7, 2},
    {40, GROUP_KANA, "よ", "や行", IDC_KANA_YO, 7, 4},
    {41, GROUP_KANA, "ら", "ら行", IDC_KANA_RA, 8, 0},
    {42, GROUP_KANA, "り", "ら行", IDC_KANA_RI, 8, 1},
    {43, GROUP_KANA, "る", "ら行", IDC_KANA_RU, 8, 2},
    {44, GROUP_KANA, "れ", "ら行", IDC_KANA_RE, 8, 3},
    {45, GROUP_KANA, "ろ", "ら行", IDC_KANA_RO, 8, 4},
    {46, GROUP_KANA, "わ", "わ行", IDC_KANA_WA, 9, 0},
    {47, GROUP_KANA, "を", "わ行", IDC_KANA_WO, 9, 1},
    {48, GROUP_KANA, "ん", "わ行", IDC_KANA_N, 9, 2},
    {51, GROUP_LATIN, "A", NULL, IDC_LATIN_A, 0, 0},
    {52, GROUP_LATIN, "B", NULL, IDC_LATIN_B, 0, 1},
    {53, GROUP_LATIN, "C", NULL, IDC_LATIN_C, 0, 2},
    {54, GROUP_LATIN, "D", NULL, IDC_LATIN_D, 0, 3},
    {55, GROUP_LATIN, "E", NULL, IDC_LATIN_E, 0, 4},
    {56, GROUP_LATIN, "F", NULL, IDC_LATIN_F, 1, 0},
    {57, GROUP_LATIN, "G", NULL, IDC_LATIN_G, 1, 1},
    {58, GROUP_LATIN, "H", NULL, IDC_LATIN_H, 1, 2},
    {59, GROUP_LATIN, "I", NULL, IDC_LATIN_I, 1, 3},
    {60, GROUP_LATIN, "J", NULL, IDC_LATIN_J, 1, 4},
    {61, GROUP_LATIN, "K", NULL, IDC_LATIN_K, 2, 0},
    {62, GROUP_LATIN, "L", NULL, IDC_LATIN_L, 2, 1},
    {63, GROUP_LATIN, "M", NULL, IDC_LATIN_M, 2, 2},
    {64, GROUP_LATIN, "N", NULL, IDC_LATIN_N, 2, 3},
    {65, GROUP_LATIN, "O", NULL, IDC_LATIN_O, 2, 4},
    {66, GROUP_LATIN, "P", NULL, IDC_LATIN_P, 3, 0},
    {67, GROUP_LATIN, "Q", NULL, IDC_LATIN_Q, 3, 1},
    {68, GROUP_LATIN, "R", NULL, IDC_LATIN_R, 3, 2},
    {69, GROUP_LATIN, "S", NULL, IDC_LATIN_S, 3, 3},
    {70, GROUP_LATIN, "T", NULL, IDC_LATIN_T, 3, 4},
    {71, GROUP_LATIN, "U", NULL, IDC_LATIN_U, 4, 0},
    {72, GROUP_LATIN, "V", NULL, IDC_LATIN_V, 4, 1},
    {73, GROUP_LATIN, "W", NULL, IDC_LATIN_W, 4, 2},
    {74, GROUP_LATIN, "X", NULL, IDC_LATIN_X, 4, 3},
    {75, GROUP_LATIN, "Y", NULL, IDC_LATIN_Y, 4, 4},
    {76, GROUP_LATIN, "Z", NULL, IDC_LATIN_Z, 5, 0},
    {81, GROUP_SYMBOL, "記号", NULL, IDC_SYMBOL, 0, 0},
};

int s_aButtonId[CATEGORY_COUNT];

enum { KANA_GRID_ROWS = 10, LATIN_GRID_ROWS = 6, GRID_COLUMNS = 5 };

// The panel asks for every cell on every loop turn: the grids are indexed
// once, from the table.
const IndexCategory* s_apKanaGrid[KANA_GRID_ROWS][GRID_COLUMNS];
const IndexCategory* s_apLatinGrid[LATIN_GRID_ROWS][GRID_COLUMNS];

void IndexGrids() {
    static bool s_bIndexed = false;
    if (s_bIndexed) return;
    for (int i = 0; i < CATEGORY_COUNT; i++) {
        const IndexCategory& category = s_aCategory[i];
        if (category.nGroup == GROUP_KANA) s_apKanaGrid[category.nGridRow][category.nGridColumn] = &category;
        if (category.nGroup == GROUP_LATIN) s_apLatinGrid[category.nGridRow][category.nGridColumn] = &category;
    }
    s_bIndexed = true;
}

const IndexCategory* FindInGrid(int nGroup, int nRow, int nColumn) {
    IndexGrids();
    if (nColumn < 0 || nColumn >= GRID_COLUMNS || nRow < 0) return NULL;
    if (nGroup == GROUP_KANA) return nRow < KANA_GRID_ROWS ? s_apKanaGrid[nRow][nColumn] : NULL;
    if (nGroup == GROUP_LATIN) return nRow < LATIN_GRID_ROWS ? s_apLatinGrid[nRow][nColumn] : NULL;
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
