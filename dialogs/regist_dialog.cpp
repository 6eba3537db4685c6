// The registration dialog: a category, a word name and its content, checked,
// confirmed and handed to the store's writer of the category's group.
#include "regist_dialog.h"

#include "category_radios.h"

#include <categories.h>
#include <resource.h>

#include <stdio.h>
#include <string.h>

RegistState g_RegistState;

namespace {

const int NAME_FIELD_LIMIT = 81;  // GetWindowTextA counts: 80 and 420 bytes and the zero
const int CONTENT_FIELD_LIMIT = 421;

void Append(char* pszText, int nSize, const char* pszPart) {
    if (pszText[0] != '\0') strncat(pszText, "\n", nSize - strlen(pszText) - 1);
    strncat(pszText, pszPart, nSize - strlen(pszText) - 1);
}

// One line for each missing input, in the order category, name, content.
bool ShowMissingInput(const WordEntry& entry) {
    char szText[256] = "";
    if (entry.nCategory == 0) Append(szText, sizeof szText, "索引カテゴリが選択されていません。");
    if (entry.szName[0] == '\0') Append(szText, sizeof szText, "単語名が入力されていません。");
    if (entry.szContent[0] == '\0') Append(szText, sizeof szText, "内容が入力されていません。");
    if (szText[0] == '\0') return false;
    MessageBoxA(NULL, szText, "お知らせ", MB_OK);
    return true;
}

int WriteByGroup(const WordEntry* pEntry) {
    switch (GetCategoryGroup(pEntry->nCategory)) {
    case GROUP_KANA: return WriteWordKana(pEntry);
    case GROUP_LATIN: return WriteWordLatin(pEntry);
    case GROUP_SYMBOL: return WriteWordSymbol(pEntry);
    default: return WRITE_NO_CATEGORY;
    }
}

void Register(HWND hDlg) {
    WordEntry& entry = g_RegistState.entry;
    entry.szName[0] = '\0';
    entry.szContent[0] = '\0';
    GetWindowTextA(GetDlgItem(hDlg, IDC_WORDNAME), entry.szName, NAME_FIELD_LIMIT);
    GetWindowTextA(GetDlgItem(hDlg, IDC_CONTENT), entry.szContent, CONTENT_FIELD_LIMIT);
    if (ShowMissingInput(entry)) return;

    const char* pszDisplay = GetCategoryDisplay(entry.nCategory);
    snprintf(entry.szDisplay, sizeof entry.szDisplay, "%s", pszDisplay != NULL ? pszDisplay : "");
    snprintf(g_RegistState.szConfirm, sizeof g_RegistState.szConfirm,
             "下記の内容で登録します。\n\n索引カテゴリ： %s\n\n単語名　　　： %s\n\n内容　　　　： %s\n\n宜しいですか？",
             entry.szDisplay, entry.szName, entry.szContent);

    // The dialog stays usable while the box is open; what is stored is what
    // this box shows, whatever the fields or the category become meanwhile.
    WordEntry confirmed = entry;
    if (MessageBoxA(NULL, g_RegistState.szConfirm, "確認メッセージ", MB_OKCANCEL) != IDOK) return;
    WriteByGroup(&confirmed);
}

}  // namespace

INT_PTR CALLBACK RegistDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
    if (uMsg == WM_INITDIALOG) return TRUE;
    if (uMsg != WM_COMMAND) return FALSE;
    Sleep(1);
    int nId = LOWORD(wParam);
    if (nId == IDC_DECIDE) {
        Register(hDlg);
        return TRUE;
    }
    if (GetCategoryOfButton(nId) != CATEGORY_NONE) g_RegistState.entry.nCategory = LinkCategoryRadios(hDlg, nId);
    return FALSE;
}
