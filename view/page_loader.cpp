// Loading one category's word files into the page store, in listing order.
#include "../app/main_content.h"

#include <categories.h>
#include <word_file.h>

namespace {

bool ReadListedFile(const char* pszPath, void* pContext) {
    CMain* pMain = (CMain*)pContext;
    pMain->m_sub_ReadWordFile(pszPath);
    pMain->m_nEntryCount++;
    pMain->m_nPage = 1;
    return true;
}

}  // namespace

void CMain::m_sub_LoadKana(int nRow, int nColumn) { m_sub_LoadCategory(GetKanaCategory(nRow, nColumn)); }

void CMain::m_sub_LoadLatin(int nRow, int nColumn) { m_sub_LoadCategory(GetLatinCategory(nRow, nColumn)); }

void CMain::m_sub_LoadSymbol() { m_sub_LoadCategory(CATEGORY_SYMBOL); }

// Empties the whole store first, so nothing of an earlier load survives, then
// reads every file of the folder; never more than the store holds.
void CMain::m_sub_LoadCategory(int nCategory) {
    m_nEntryCount = 0;
    m_nPage = 0;
    for (int i = 0; i < PAGE_STORE_SIZE; i++) {
        EntryRecord& entry = m_aEntry[i];
        entry.szName[0] = '\0';
        for (int j = 0; j < 5; j++) entry.szLine[j][0] = '\0';
        entry.bLoaded = 0;
    }
    ListWordFiles(nCategory, PAGE_STORE_SIZE, ReadListedFile, this);
}

// A file that cannot be opened still counts: it shows as an empty entry.
void CMain::m_sub_ReadWordFile(const char* pszPath) {
    EntryRecord& entry = m_aEntry[m_nEntryCount];
    ReadWordFile(pszPath, entry.szName, entry.szLine);
    entry.bLoaded = 1;
}
