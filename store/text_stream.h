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
};

// Opens an existing file for reading; NULL when it cannot be opened.
FILE* TextOpenRead(const char* pszPath);

// Creates a new file for writing, never opening one that exists.
int TextCreateNew(const char* pszPath, FILE** ppFile);

// fgets(): stops after an LF, at nSize - 1 bytes or at the end of the text,
// and returns NULL, leaving the buffer as it was, when nothing was left to read.
char* TextGets(char* pszBuffer, int nSize, FILE* pFile);

bool TextPuts(const char* pszText, FILE* pFile);

// Closes the stream; false when anything written may not have reached the file.
bool TextClose(FILE* pFile);

#endif
