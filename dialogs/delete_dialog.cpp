// The deletion dialog: a category's word names in a list; the chosen entry
// is shown whole, confirmed and its file removed.
#include "delete_dialog.h"

#include "category_radios.h"
#include "delete_list.h"

#include <categories.h>
#include <resource.h>
#include <word_file.h>

#include <stdio.h>
#include <string.h>

int g_nDeleteCategory = 0;

namespace {

void RunListing() {
    switch (GetCategoryGroup(g_nDeleteCategory)) {
    case GROUP_KANA: ListDeleteKana(); break;
    case GROUP_LATIN: ListDeleteLatin(); break;
    case GROUP_SYMBOL: ListDeleteSymbol(); break;
    }
}

void RefillList(HWND hDlg) {
    HWND hList = GetDlgItem(hDlg, IDC_WORDLIST);
    SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < g_nDeleteCount; i++) {
        if (g_aDeleteRecord[i].bLoaded == 1) SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)g_aDeleteRecord[i].szName);
    }
}

// A click on the checked button lists the folder afresh as well.
void SelectCategory(HWND hDlg, int nButtonId) {
    g_nDeleteCategory = LinkCategoryRadios(hDlg, nButtonId);
    RunListing();
    RefillList(hDlg);
}

void Decide(HWND hDlg) {
    char szDisplay[12] = "";
    char szMessage[1004] = "";
    int nSelected = (int)SendMessageA(GetDlgItem(hDlg, IDC_WORDLIST), LB_GETCURSEL, 0, 0);
    if (g_nDeleteCategory == 0) {
        MessageBoxA(NULL, "索引カテゴリが選択されていません。\n索引カテゴリーを選択して下さい。", "お知らせ", MB_OK);
        return;
    }
    if ((nSelected < 0 || nSelected >= g_nDeleteCount) && g_nDeleteCount > 0) {
        MessageBoxA(NULL, "単語名が選択されていません。\n単語名を選択して下さい。", "お知らせ", MB_OK);
        return;
    }
    const char* pszDisplay = GetCategoryDisplay(g_nDeleteCategory);
    snprintf(szDisplay, sizeof szDisplay, "%s", pszDisplay != NULL ? pszDisplay : "");
    if (g_nDeleteCount == 0) {
        snprintf(szMessage, sizeof szMessage, "下記の索引カテゴリには単語は登録されていません。\n\n索引カテゴリ： %s\n\n",
                 szDisplay);
        MessageBoxA(NULL, szMessage, "確認メッセージ", MB_OK);
        return;
    }

    const DeleteRecord& record = g_aDeleteRecord[nSelected];
    snprintf(szMessage, sizeof szMessage,
             "下記の単語名を削除します。\n\n索引カテゴリ： %s\n\n単語名　　　： %s\n\n内容　　　： %s\n%s\n%s\n%s\n%s\n\n"
             "ファイル名　　　： %s\n\n宜しいですか？",
             szDisplay, record.szName, record.szLine[0], record.szLine[1], record.szLine[2], record.szLine[3],
             record.szLine[4], record.szPath);
    // The dialog stays usable while the box is open and a new listing may
    // move other files into this record: the file removed is the one shown,
    // and only while it still holds the entry shown.
    DeleteRecord shown;
    memcpy(&shown, &record, sizeof shown);
    if (MessageBoxA(NULL, szMessage, "確認メッセージ", MB_OKCANCEL) != IDOK) return;
    DeleteShownWordFile(shown.szPath, shown.szName, shown.szLine);
    RunListing();
    RefillList(hDlg);
}

}  // namespace

INT_PTR CALLBACK DeleteDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM) {
    if (uMsg == WM_INITDIALOG) return TRUE;
    if (uMsg != WM_COMMAND) return FALSE;
    Sleep(1);
    int nId = LOWORD(wParam);
    if (nId == IDC_DECIDE) {
        Decide(hDlg);
        return TRUE;
    }
    if (GetCategoryOfButton(nId) != CATEGORY_NONE) {
        SelectCategory(hDlg, nId);
        return TRUE;
    }
    return FALSE;
}
