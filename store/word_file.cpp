#include "word_file.h"

#include "text_stream.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

namespace {

const int NAME_READ_LIMIT = 80;  // fgets limits: 79 and 84 bytes and the zero
const int LINE_READ_LIMIT = 85;
const int CUT_SCAN_END = 90;     // the cut looks at positions 0 to 89
const int WRITE_BY_NAME = 1;     // no unnamed file could be named here: nothing written yet

// One file is open at a time, within one call, on the one UI thread.
TextFile s_file;

bool BuildWordPath(const char* pszFolder, int nNumber, char* pszPath, int nSize) {
    int nLength = snprintf(pszPath, nSize, "%s/%d.txt", pszFolder, nNumber);
    return nLength > 0 && nLength < nSize;
}

bool EntryExists(const char* pszPath) {
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(pszPath, &findData);
    if (hFind == INVALID_HANDLE_VALUE) return false;
    FindClose(hFind);
    return true;
}

// Cuts a trailing CR LF or a trailing LF off a field read by fgets. A cut
// past the text's own zero would change nothing of it, so the scan ends there.
void CutLineEnd(char* pszField) {
    for (int i = 0; i < CUT_SCAN_END && pszField[i] != '\0'; i++) {
        if ((pszField[i] == '\r' && pszField[i + 1] == '\n') || (pszField[i] == '\n' && pszField[i + 1] == '\0')) {
            pszField[i] = '\0';
            return;
        }
    }
}

struct ListState {
    const char* pszFolder;
    int nCapacity;
    int nVisited;
    WordFileVisitor pfnVisit;
    void* pContext;
};

// What one read took: it ends what it took with a zero, after any zeros of
// the file's own, and leaves the rest of the buffer as it was (never zero).
int BytesTaken(const char* pszRead, int nRoom) {
    for (int i = nRoom - 1; i > 0; i--) {
        if (pszRead[i] == '\0') return i;
    }
    return 0;
}

bool IsDotEntry(const char* pszName) { return strcmp(pszName, ".") == 0 || strcmp(pszName, "..") == 0; }

void VisitEntry(ListState* pState, const WIN32_FIND_DATAA* pFindData) {
    if (IsDotEntry(pFindData->cFileName)) return;
    if (pFindData->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
    char szPath[WORD_PATH_SIZE];
    int nLength = snprintf(szPath, sizeof szPath, "%s/%s", pState->pszFolder, pFindData->cFileName);
    if (nLength < 0 || nLength >= (int)sizeof szPath) return;  // cannot happen: names fit MAX_PATH
    if (pState->pfnVisit(szPath, pState->pContext)) pState->nVisited++;
}

bool WriteWordBytes(TextFile* pFile, const WordEntry* pEntry) {
    return TextPuts(pEntry->szName, pFile) && TextPuts("\n", pFile) && TextPuts(pEntry->szContent, pFile);
}

// The lowest free number from nFrom on, its path in szPath; 0 when none is left.
int NextFreeNumber(const char* pszFolder, int nFrom, char* pszPath, int nSize) {
    for (int nNumber = nFrom; nNumber <= WORD_NUMBER_MAX; nNumber++) {
        if (!BuildWordPath(pszFolder, nNumber, pszPath, nSize)) return 0;
        if (!EntryExists(pszPath)) return nNumber;
    }
    return 0;
}

// Names an unnamed file n.txt, n the lowest free number from *pnNumber on.
int PublishFrom(TextFile* pFile, const char* pszFolder, int* pnNumber, char* pszPath, int nSize) {
    int nPublished = TEXT_EXISTS;
    while (*pnNumber != 0 && (nPublished = TextPublish(pFile, pszPath)) == TEXT_EXISTS)
        *pnNumber = NextFreeNumber(pszFolder, *pnNumber + 1, pszPath, nSize);
    return nPublished;
}

// The word is written whole and on the disk before it has a name, so no one
// ever sees it half written and a killed writer leaves nothing. A number
// taken between the probe and the naming is skipped, never replaced.
int StoreUnnamed(const WordEntry* pEntry, const char* pszFolder, int* pnNumber, char* pszPath, int nSize) {
    if (!WriteWordBytes(&s_file, pEntry)) {
        TextClose(&s_file);
        return WRITE_FAILED;
    }
    int nPublished = PublishFrom(&s_file, pszFolder, pnNumber, pszPath, nSize);
    bool bClosed = TextClose(&s_file);
    if (nPublished == TEXT_UNSUPPORTED) return WRITE_BY_NAME;
    if (nPublished == TEXT_EXISTS) return WRITE_FULL;
    if (nPublished != TEXT_CREATED) return WRITE_FAILED;
    if (bClosed && TextSyncFolder(pszFolder)) return WRITE_DONE;
    DeleteFileA(pszPath);
    return WRITE_FAILED;
}

bool WriteEntry(TextFile* pFile, const WordEntry* pEntry) {
    bool bWritten = WriteWordBytes(pFile, pEntry);
    return TextClose(pFile) && bWritten;
}

// Where no unnamed file can be made (Windows, file systems without
// O_TMPFILE): n.txt is created, then filled. Creation is exclusive, so a
// number taken by someone else between the probe and the creation is skipped.
int StoreNamed(const WordEntry* pEntry, const char* pszFolder, int* pnNumber, char* pszPath, int nSize) {
    for (; *pnNumber != 0; *pnNumber = NextFreeNumber(pszFolder, *pnNumber + 1, pszPath, nSize)) {
        int nCreated = TextCreateNew(&s_file, pszPath);
        if (nCreated == TEXT_EXISTS) continue;
        // Confirmed means on the disk: the file's bytes and its name in the folder.
        if (nCreated == TEXT_CREATED && WriteEntry(&s_file, pEntry) && TextSyncFolder(pszFolder)) return WRITE_DONE;
        if (nCreated == TEXT_CREATED) DeleteFileA(pszPath);
        return WRITE_FAILED;
    }
    return WRITE_FULL;
}

// The first-fit write from nFrom on; *pnNumber is the number it took.
int StoreFrom(const WordEntry* pEntry, const char* pszFolder, int nFrom, int* pnNumber) {
    char szPath[WORD_PATH_SIZE];
    *pnNumber = NextFreeNumber(pszFolder, nFrom, szPath, sizeof szPath);
    if (*pnNumber == 0) return BuildWordPath(pszFolder, 1, szPath, sizeof szPath) ? WRITE_FULL : WRITE_NO_CATEGORY;
    if (TextCreateUnnamed(&s_file, pszFolder) == TEXT_CREATED) {
        int nResult = StoreUnnamed(pEntry, pszFolder, pnNumber, szPath, sizeof szPath);
        if (nResult != WRITE_BY_NAME) return nResult;
        *pnNumber = NextFreeNumber(pszFolder, *pnNumber, szPath, sizeof szPath);
    }
    return StoreNamed(pEntry, pszFolder, pnNumber, szPath, sizeof szPath);
}

}  // namespace

int StoreWordEntry(const WordEntry* pEntry) {
    char szFolder[CATEGORY_FOLDER_SIZE];
    if (pEntry == NULL || !GetCategoryFolder(pEntry->nCategory, szFolder, sizeof szFolder)) return WRITE_NO_CATEGORY;
    int nNumber;
    return StoreFrom(pEntry, szFolder, 1, &nNumber);
}

namespace {

struct QueuedWord {
    WordEntry entry;  // kept for a file system that cannot name an unnamed file after all
    char szFolder[CATEGORY_FOLDER_SIZE];
    char szPath[WORD_PATH_SIZE];
};

TextFile s_aBatchFile[WORD_BATCH_SIZE];
QueuedWord s_aQueued[WORD_BATCH_SIZE];
int s_nQueued = 0;
int s_nBatchStored = 0;
int s_anProbeFrom[CATEGORY_SYMBOL + 1];  // 0 before any batch: from 1

int ProbeFrom(int nCategory) { return s_anProbeFrom[nCategory] > 1 ? s_anProbeFrom[nCategory] : 1; }

// Gives the queued word the lowest free name from where its folder's probe
// stopped.
int NameQueued(int i) {
    QueuedWord* pWord = &s_aQueued[i];
    int nNumber = NextFreeNumber(pWord->szFolder, ProbeFrom(pWord->entry.nCategory), pWord->szPath,
                                 sizeof pWord->szPath);
    int nPublished = PublishFrom(&s_aBatchFile[i], pWord->szFolder, &nNumber, pWord->szPath, sizeof pWord->szPath);
    bool bClosed = TextClose(&s_aBatchFile[i]);
    int nResult = nPublished == TEXT_CREATED ? WRITE_DONE : nNumber == 0 ? WRITE_FULL : WRITE_FAILED;
    if (nPublished == TEXT_UNSUPPORTED) {
        nNumber = NextFreeNumber(pWord->szFolder, nNumber, pWord->szPath, sizeof pWord->szPath);
        nResult = StoreNamed(&pWord->entry, pWord->szFolder, &nNumber, pWord->szPath, sizeof pWord->szPath);
    } else if (nResult == WRITE_DONE && !bClosed) {
        DeleteFileA(pWord->szPath);
        nResult = WRITE_FAILED;
    }
    if (nResult == WRITE_DONE) s_anProbeFrom[pWord->entry.nCategory] = nNumber + 1;
    return nResult;
}

bool FolderSeenBefore(int i) {
    for (int k = 0; k < i; k++) {
        if (strcmp(s_aQueued[k].szFolder, s_aQueued[i].szFolder) == 0) return true;
    }
    return false;
}

// The names given count once their folders are on the disk; a name whose
// folder could not be made durable is taken back, as a single write does.
int SyncNamedFolders(int nNamed, int* pnDurable) {
    *pnDurable = nNamed;
    for (int i = 0; i < nNamed; i++) {
        if (FolderSeenBefore(i) || TextSyncFolder(s_aQueued[i].szFolder)) continue;
        if (*pnDurable > i) *pnDurable = i;
    }
    for (int i = *pnDurable; i < nNamed; i++) DeleteFileA(s_aQueued[i].szPath);
    return *pnDurable == nNamed ? WRITE_DONE : WRITE_FAILED;
}

}  // namespace

void BeginWordBatch(void) {
    s_nQueued = 0;
    s_nBatchStored = 0;
    for (int i = 0; i <= CATEGORY_SYMBOL; i++) s_anProbeFrom[i] = 1;
}

int EndWordBatch(void) {
    int nCount = s_nQueued;
    s_nQueued = 0;
    if (nCount == 0) return WRITE_DONE;
    int nResult = TextSyncUnnamed(s_aBatchFile, nCount) ? WRITE_DONE : WRITE_FAILED;
    int nNamed = 0;
    for (int i = 0; i < nCount; i++) {
        if (nResult == WRITE_DONE) nResult = NameQueued(i);
        else TextClose(&s_aBatchFile[i]);  // an unnamed file closed is gone
        if (nResult == WRITE_DONE) nNamed++;
    }
    int nDurable;
    int nSynced = SyncNamedFolders(nNamed, &nDurable);
    s_nBatchStored += nDurable;
    return nResult != WRITE_DONE ? nResult : nSynced;
}

int QueueWordEntry(const WordEntry* pEntry) {
    QueuedWord* pWord = &s_aQueued[s_nQueued];
    if (pEntry == NULL || !GetCategoryFolder(pEntry->nCategory, pWord->szFolder, sizeof pWord->szFolder))
        return WRITE_NO_CATEGORY;
    TextFile* pFile = &s_aBatchFile[s_nQueued];
    if (TextCreateUnnamed(pFile, pWord->szFolder) != TEXT_CREATED) {
        // Written by name at once, so what was queued goes first to keep the order.
        char szFolder[CATEGORY_FOLDER_SIZE];
        memcpy(szFolder, pWord->szFolder, sizeof szFolder);
        int nResult = EndWordBatch();
        if (nResult != WRITE_DONE) return nResult;
        int nNumber;
        nResult = StoreFrom(pEntry, szFolder, ProbeFrom(pEntry->nCategory), &nNumber);
        if (nResult != WRITE_DONE) return nResult;
        s_anProbeFrom[pEntry->nCategory] = nNumber + 1;
        s_nBatchStored++;
        return WRITE_DONE;
    }
    pWord->entry = *pEntry;
    if (!WriteWordBytes(pFile, pEntry)) {
        TextClose(pFile);
        int nResult = EndWordBatch();
        return nResult != WRITE_DONE ? nResult : WRITE_FAILED;
    }
    s_nQueued++;
    return s_nQueued == WORD_BATCH_SIZE ? EndWordBatch() : WRITE_DONE;
}

int WordBatchStored(void) { return s_nBatchStored; }

int FindFreeWordNumber(const char* pszFolder) {
    char szPath[WORD_PATH_SIZE];
    for (int nNumber = 1; nNumber <= WORD_NUMBER_MAX; nNumber++) {
        if (!BuildWordPath(pszFolder, nNumber, szPath, sizeof szPath)) return 0;
        if (!EntryExists(szPath)) return nNumber;
    }
    return 0;
}

bool ReadWordFile(const char* pszPath, char szName[WORD_FIELD_SIZE], char aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE]) {
    szName[0] = '\0';
    for (int i = 0; i < WORD_LINE_COUNT; i++) aszLine[i][0] = '\0';

    if (!TextOpenRead(&s_file, pszPath)) return false;
    TextGets(szName, NAME_READ_LIMIT, &s_file);
    for (int i = 0; i < WORD_LINE_COUNT; i++) TextGets(aszLine[i], LINE_READ_LIMIT, &s_file);
    TextClose(&s_file);

    CutLineEnd(szName);
    for (int i = 0; i < WORD_LINE_COUNT; i++) CutLineEnd(aszLine[i]);
    return true;
}

int CheckWordEntry(const WordEntry* pEntry) {
    size_t nName = strlen(pEntry->szName);
    if (nName == 0) return ENTRY_NO_NAME;
    if (nName > WORD_NAME_MAX) return ENTRY_NAME_TOO_LONG;
    if (strpbrk(pEntry->szName, "\r\n") != NULL) return ENTRY_NAME_BREAK;
    const char* pszContent = pEntry->szContent;
    size_t nContent = strlen(pszContent);
    if (nContent == 0) return ENTRY_NO_CONTENT;
    if (nContent > WORD_CONTENT_MAX) return ENTRY_CONTENT_TOO_LONG;
    int nLines = 1;
    for (size_t i = 0; i < nContent; i++) {
        bool bBreak = pszContent[i] == '\r' && pszContent[i + 1] == '\n';
        if (!bBreak && (pszContent[i] == '\r' || pszContent[i] == '\n')) return ENTRY_STRAY_BREAK;
        if (bBreak) {
            nLines++;
            i++;
        }
    }
    return nLines > WORD_LINE_COUNT ? ENTRY_TOO_MANY_LINES : ENTRY_IN_FORM;
}

// Text mode turns the stored CR CR LF of a content break into the CR LF the
// entry held, and the name's CR LF into the LF that ends it.
int ReadWordEntry(const char* pszPath, WordEntry* pEntry) {
    static char s_szText[WORD_TEXT_SIZE];
    pEntry->szName[0] = '\0';
    pEntry->szContent[0] = '\0';
    if (!TextOpenRead(&s_file, pszPath)) return ENTRY_UNREADABLE;
    s_szText[0] = '\0';
    // Counted in bytes taken, not in the text's length: a file of zeros
    // (a link to /dev/zero) reads as text of no length however much is read.
    int nTaken = 0;
    bool bTooLong = false;
    for (;;) {
        int nRoom = (int)sizeof s_szText - nTaken;
        memset(s_szText + nTaken, 1, nRoom);
        if (TextGets(s_szText + nTaken, nRoom, &s_file) == NULL) {
            s_szText[nTaken] = '\0';
            break;
        }
        nTaken += BytesTaken(s_szText + nTaken, nRoom);
        if (nTaken >= (int)sizeof s_szText - 1) {
            char szRest[2];
            bTooLong = TextGets(szRest, sizeof szRest, &s_file) != NULL;
            break;
        }
    }
    TextClose(&s_file);
    int nLength = (int)strlen(s_szText);

    const char* pszBreak = strchr(s_szText, '\n');
    int nName = pszBreak == NULL ? nLength : (int)(pszBreak - s_szText);
    snprintf(pEntry->szName, sizeof pEntry->szName, "%.*s", nName, s_szText);
    if (pszBreak != NULL) snprintf(pEntry->szContent, sizeof pEntry->szContent, "%s", pszBreak + 1);
    bool bCut = nName >= (int)sizeof pEntry->szName ||
                (pszBreak != NULL && strlen(pszBreak + 1) >= sizeof pEntry->szContent);
    if (bTooLong || bCut) return ENTRY_TOO_LONG;
    return CheckWordEntry(pEntry);
}

int ListWordFiles(int nCategory, int nCapacity, WordFileVisitor pfnVisit, void* pContext) {
    char szFolder[CATEGORY_FOLDER_SIZE];
    char szPattern[CATEGORY_FOLDER_SIZE + 4];
    if (pfnVisit == NULL || !GetCategoryFolder(nCategory, szFolder, sizeof szFolder)) return -1;
    snprintf(szPattern, sizeof szPattern, "%s/*.*", szFolder);

    ListState state = {szFolder, nCapacity, 0, pfnVisit, pContext};
    WIN32_FIND_DATAA findData;
    HANDLE hFind = FindFirstFileA(szPattern, &findData);
    if (hFind == INVALID_HANDLE_VALUE) return -1;
    do {
        if (state.nVisited >= state.nCapacity) break;
        VisitEntry(&state, &findData);
    } while (FindNextFileA(hFind, &findData));
    FindClose(hFind);
    return state.nVisited;
}

// Nothing is reported either way: the listing that follows shows the folder
// as it then is, so a file that stayed is still in the list. A removal is
// made durable like a registration, so a power cut cannot bring it back.
bool DeleteWordFile(const char* pszPath) {
    if (!DeleteFileA(pszPath)) return false;
    char szFolder[WORD_PATH_SIZE];
    const char* pszSlash = strrchr(pszPath, '/');  // never a trail byte of Shift-JIS
    int nLength = pszSlash == NULL ? 0 : (int)(pszSlash - pszPath);
    if (nLength > 0 && nLength < (int)sizeof szFolder) {
        memcpy(szFolder, pszPath, nLength);
        szFolder[nLength] = '\0';
        TextSyncFolder(szFolder);
    }
    return true;
}

// The user confirmed an entry, not a path: while the box was open another
// program may have removed the file and a new word taken its free number. So
// the file is read again by the rule the list was read by, right before the
// removal, and must still show what the box showed. A change between this
// read and DeleteFileA cannot be ruled out: no ANSI call removes a file only
// if it is the one that was read.
bool DeleteShownWordFile(const char* pszPath, const char szName[WORD_FIELD_SIZE],
                         const char aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE]) {
    static char s_szName[WORD_FIELD_SIZE];
    static char s_aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    ReadWordFile(pszPath, s_szName, s_aszLine);  // one that cannot be read reads as empty, as when listed
    if (strcmp(s_szName, szName) != 0) return false;
    for (int i = 0; i < WORD_LINE_COUNT; i++) {
        if (strcmp(s_aszLine[i], aszLine[i]) != 0) return false;
    }
    return DeleteWordFile(pszPath);
}
