// Word files: one entry per text file in its category's folder under DATA.
#ifndef WORDORIA_STORE_WORD_FILE_H
#define WORDORIA_STORE_WORD_FILE_H

#include "categories.h"

enum {
    WORD_NAME_MAX = 80,      // bytes of a word name
    WORD_CONTENT_MAX = 420,  // bytes of a content, line breaks included
    WORD_FIELD_SIZE = 100,   // one field read back: the name or one content line
    WORD_CONTENT_SIZE = 500, // a content buffer: 420 bytes and room to spare
    WORD_LINE_COUNT = 5,
    WORD_NUMBER_MAX = 9999,  // file names run from 1.txt to 9999.txt
    WORD_PATH_SIZE = CATEGORY_FOLDER_SIZE + 1 + 260,  // folder, "/", any listed name
    WORD_TEXT_SIZE = 1024,   // a whole word file as text: more than any the store writes
};

// Results of the writers.
enum {
    WRITE_DONE = 0,
    WRITE_FULL = -1,        // 1.txt to 9999.txt are all taken
    WRITE_FAILED = -2,      // the file could not be written; nothing is left behind
    WRITE_NO_CATEGORY = -3, // the entry's category does not belong to this writer; nothing shown
};

// One entry as it is stored.
struct WordEntry {
    int nCategory;
    char szDisplay[5];                  // the category's display text, for messages
    char szName[WORD_FIELD_SIZE];       // at most 80 bytes, no line break
    char szContent[WORD_CONTENT_SIZE];  // at most 420 bytes, lines separated by CR LF
};

// The three writers take the first free number of the category's folder and
// store name, LF and content as a text-mode file; they tell the user when the
// word could not be stored (word_writers.cpp).
int WriteWordKana(const WordEntry* pEntry);
int WriteWordLatin(const WordEntry* pEntry);
int WriteWordSymbol(const WordEntry* pEntry);

// The same write, telling no one: for a caller with its own way of telling.
// WRITE_NO_CATEGORY for a number outside the table.
int StoreWordEntry(const WordEntry* pEntry);

// A run of words from one writer (an import), stored faster than one by
// one yet as safely: each folder's probe goes on from where it stopped in
// the run, and up to WORD_BATCH_SIZE words, written unnamed, share one sync
// before they are named. A word counts as stored only once it is named and
// its name is on the disk, so a crash may lose the words of a batch not yet
// counted but never leaves one half written.
enum { WORD_BATCH_SIZE = 64 };

void BeginWordBatch(void);

// Writes the entry (unnamed where the system allows, else named at once)
// and stores the batch when it is full. WRITE_DONE, or the first failure of
// this word or of one queued before it: then nothing more of the batch is
// stored, and WordBatchStored says how many words were.
int QueueWordEntry(const WordEntry* pEntry);

// Stores what is still queued; the same results as QueueWordEntry.
int EndWordBatch(void);

// How many words queued since BeginWordBatch are stored, in queue order.
int WordBatchStored(void);

// The lowest n in 1 to 9999 with no entry n.txt in the folder; 0 when all are taken.
int FindFreeWordNumber(const char* pszFolder);

// Reads a word file into a name field and five line fields by the one
// reading rule. A file that cannot be opened reads as empty (returns false).
bool ReadWordFile(const char* pszPath, char szName[WORD_FIELD_SIZE],
                  char aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE]);

// Whether an entry is in the form a registration stores: a name of 1 to 80
// bytes without a line break; a content of 1 to 420 bytes in at most five
// lines, each break a CR LF. The first fault found, or ENTRY_IN_FORM.
enum {
    ENTRY_IN_FORM = 0,
    ENTRY_NO_NAME,
    ENTRY_NAME_TOO_LONG,
    ENTRY_NAME_BREAK,        // a CR or LF in the name
    ENTRY_NO_CONTENT,
    ENTRY_CONTENT_TOO_LONG,
    ENTRY_TOO_MANY_LINES,
    ENTRY_STRAY_BREAK,       // a CR or LF in the content that is not part of a CR LF
    ENTRY_TOO_LONG,          // a file longer than any the store writes
    ENTRY_UNREADABLE,        // a file that cannot be opened
};
int CheckWordEntry(const WordEntry* pEntry);

// Reads the whole of a word file, without the cuts of the window's reading
// rule: the name line, and the content with its breaks as CR LF, as a
// registration held them. The result is CheckWordEntry's for what was read
// (so ENTRY_IN_FORM for every file the store wrote), ENTRY_TOO_LONG or
// ENTRY_UNREADABLE; pEntry then holds as much as fits.
int ReadWordEntry(const char* pszPath, WordEntry* pEntry);

// Called once for every file of a listed folder, with its path; returns
// whether it took the file (a file it leaves out does not count).
typedef bool (*WordFileVisitor)(const char* pszPath, void* pContext);

// Lists a category folder in the order the directory search gives, skipping
// "." , ".." and folders, until the visitor has taken nCapacity files.
// Returns how many it took, or -1 when the folder cannot be searched
// (a missing folder, or a number outside the table).
int ListWordFiles(int nCategory, int nCapacity, WordFileVisitor pfnVisit, void* pContext);

// Removes one word file; false when it could not be removed.
bool DeleteWordFile(const char* pszPath);

// Removes a word file only if it still reads, by ReadWordFile, as the name
// and lines the user was shown; false, removing nothing, when it does not.
bool DeleteShownWordFile(const char* pszPath, const char szName[WORD_FIELD_SIZE],
                         const char aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE]);

#endif
