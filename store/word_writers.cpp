// The window program's writers: the store's first-fit write, and a message
// box when the word could not be stored.
#include "word_file.h"

#include <stdio.h>
#include <windows.h>

namespace {

void ShowFullMessage(const WordEntry* pEntry) {
    char szText[256];  // the message and a display text of at most 4 bytes
    snprintf(szText, sizeof szText,
             "御免なさい。\n索引カテゴリ： %s\nには、これ以上登録できません。\n他の単語を削除して登録して下さい。",
             GetCategoryDisplay(pEntry->nCategory));
    MessageBoxA(NULL, szText, "確認メッセージ", MB_OK);
}

void ShowWriteFailedMessage(const WordEntry* pEntry) {
    char szText[256];
    snprintf(szText, sizeof szText,
             "単語を登録できませんでした。\n索引カテゴリ： %s\nのフォルダーに書き込めません。\n"
             "DATAフォルダーと空き容量を確認して下さい。",
             GetCategoryDisplay(pEntry->nCategory));
    MessageBoxA(NULL, szText, "確認メッセージ", MB_OK);
}

int WriteWordInGroup(const WordEntry* pEntry, int nGroup) {
    if (pEntry == NULL || GetCategoryGroup(pEntry->nCategory) != nGroup) return WRITE_NO_CATEGORY;
    int nResult = StoreWordEntry(pEntry);
    if (nResult == WRITE_FAILED) ShowWriteFailedMessage(pEntry);
    if (nResult == WRITE_FULL) ShowFullMessage(pEntry);
    return nResult;
}

}  // namespace

int WriteWordKana(const WordEntry* pEntry) { return WriteWordInGroup(pEntry, GROUP_KANA); }

int WriteWordLatin(const WordEntry* pEntry) { return WriteWordInGroup(pEntry, GROUP_LATIN); }

int WriteWordSymbol(const WordEntry* pEntry) { return WriteWordInGroup(pEntry, GROUP_SYMBOL); }
