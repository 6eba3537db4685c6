// Text-mode file streams with the bytes of Windows' C runtime on every
// platform: a written LF is stored as CR LF and a CR passes unchanged; on
// reading CR LF becomes LF, a lone CR stays and byte 0x1A ends the text.
#ifndef WORDORIA_STORE_TEXT_STREAM_H
#define WORDORIA_STORE_TEXT_STREAM_H

#include <stdio.h>

enum TextCreateResult {
    TEXT_CREATED = 0,
    TEXT_EXISTS,  // an entry of that name is already there; nothing was touched
    TEXT_FAILED,
    TEXT_UNSUPPORTED,  // no unnamed files here: write by TextCreateNew instead
};

enum { TEXT_BUFFER_SIZE = 1024 };  // a whole word file in one read

// One open stream, held by the caller: no allocation anywhere.
struct TextFile {
#ifdef _WIN32
    FILE* pFile;  // the C runtime's own text mode
    bool bWriting;
#else
    int nFd;
    int nPos;
    int nLength;
    bool bEnd;     // the file or its 0x1A end has been reached
    bool bWriting;
    bool bFailed;  // a write did not reach the file
    bool bSynced;  // everything written is on the disk already
    unsigned char abBuffer[TEXT_BUFFER_SIZE];
#endif
};

// Opens an existing file for reading; false when it cannot be opened.
bool TextOpenRead(TextFile* pFile, const char* pszPath);

// Creates a new file for writing, never opening one that exists.
int TextCreateNew(TextFile* pFile, const char* pszPath);

// Creates a file with no name yet in the folder (Linux: O_TMPFILE), so a
// word is never seen half written, nor left empty by a killed writer.
// TEXT_UNSUPPORTED on Windows and where the file system has no such files.
int TextCreateUnnamed(TextFile* pFile, const char* pszFolder);

// Puts what was written on the disk and gives the unnamed file its name,
// never replacing an entry: TEXT_EXISTS when the name is taken (the file stays
// open and unnamed, for another name), TEXT_FAILED when the bytes did not
// reach the disk, TEXT_UNSUPPORTED when no name can be given this way. The
// stream is closed by TextClose in every case.
int TextPublish(TextFile* pFile, const char* pszPath);

// Puts what was written to several unnamed files on the disk in one go (one
// sync of their file system instead of one each); false when any of them
// did not get there. TextPublish then only names them.
bool TextSyncUnnamed(TextFile* aFiles, int nCount);

// fgets(): stops after an LF, at nSize - 1 bytes or at the end of the text,
// and returns NULL, leaving the buffer as it was, when nothing was left to read.
char* TextGets(char* pszBuffer, int nSize, TextFile* pFile);

bool TextPuts(const char* pszText, TextFile* pFile);

// Closes the stream; false when anything written may not have reached the
// file. What was written is on the disk, not only in the system's cache,
// before it returns: a power cut right after a confirmation loses nothing.
bool TextClose(TextFile* pFile);

// Makes the folder's own changes (an entry added or removed) durable; on
// Windows the file system keeps them itself.
bool TextSyncFolder(const char* pszFolder);

#endif
