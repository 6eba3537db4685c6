#include "text_stream.h"

#include <errno.h>

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

// Windows: the C runtime's own text mode.

FILE* TextOpenRead(const char* pszPath) { return fopen(pszPath, "rt"); }

int TextCreateNew(const char* pszPath, FILE** ppFile) {
    *ppFile = NULL;
    int nFd = _open(pszPath, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (nFd < 0) return errno == EEXIST ? TEXT_EXISTS : TEXT_FAILED;
    *ppFile = _fdopen(nFd, "wt");
    if (*ppFile == NULL) {
        _close(nFd);
        return TEXT_FAILED;
    }
    return TEXT_CREATED;
}

char* TextGets(char* pszBuffer, int nSize, FILE* pFile) { return fgets(pszBuffer, nSize, pFile); }

bool TextPuts(const char* pszText, FILE* pFile) { return fputs(pszText, pFile) >= 0; }

#else

#include <ansi_stdio.h>

// Elsewhere: the same bytes, translated here over a binary stream.

namespace {

const int END_OF_TEXT = 0x1A;

// The next character as text mode reads it, or EOF.
int GetTextChar(FILE* pFile) {
    int c = getc_unlocked(pFile);
    if (c == END_OF_TEXT) {
        // Pushed back, so every later read ends here too.
        ungetc(c, pFile);
        return EOF;
    }
    if (c != '\r') return c;
    int nNext = getc_unlocked(pFile);
    if (nNext == '\n') return '\n';
    if (nNext != EOF) ungetc(nNext, pFile);
    return '\r';
}

}  // namespace

FILE* TextOpenRead(const char* pszPath) { return ansi_fopen(pszPath, "rb"); }

int TextCreateNew(const char* pszPath, FILE** ppFile) {
    *ppFile = ansi_fopen(pszPath, "wbx");
    if (*ppFile != NULL) return TEXT_CREATED;
    return errno == EEXIST ? TEXT_EXISTS : TEXT_FAILED;
}

char* TextGets(char* pszBuffer, int nSize, FILE* pFile) {
    if (nSize <= 0) return NULL;
    int nCount = 0;
    while (nCount < nSize - 1) {
        int c = GetTextChar(pFile);
        if (c == EOF) break;
        pszBuffer[nCount++] = (char)c;
        if (c == '\n') break;
    }
    if (nCount == 0 && nSize > 1) return NULL;
    pszBuffer[nCount] = '\0';
    return pszBuffer;
}

bool TextPuts(const char* pszText, FILE* pFile) {
    for (const char* p = pszText; *p != '\0'; p++) {
        if (*p == '\n' && putc('\r', pFile) == EOF) return false;
        if (putc(*p, pFile) == EOF) return false;
    }
    return true;
}

#endif

bool TextClose(FILE* pFile) {
    bool bWritten = ferror(pFile) == 0;
    if (fclose(pFile) != 0) bWritten = false;
    return bWritten;
}
