#include "category_radios.h"

#include <categories.h>
#include <resource.h>

int LinkCategoryRadios(HWND hDlg, int nButtonId) {
    if (nButtonId == IDC_KANA_A) {
        const int* pnIds = GetCategoryButtonIds();
        for (int i = 0; i < CATEGORY_COUNT; i++) {
            if (pnIds[i] != IDC_KANA_A) SendMessageA(GetDlgItem(hDlg, pnIds[i]), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    } else {
        SendMessageA(GetDlgItem(hDlg, IDC_KANA_A), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    return GetCategoryOfButton(nButtonId);
}
