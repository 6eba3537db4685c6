#include "text_stream.h"

#include <errno.h>

#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

bool TextOpenRead(TextFile* pFile, const char* pszPath) {
    pFile->bWriting = false;
    pFile->pFile = fopen(pszPath, "rt");
    return pFile->pFile != NULL;
}

int TextCreateNew(TextFile* pFile, const char* pszPath) {
    pFile->pFile = NULL;
    pFile->bWriting = true;
    int nFd = _open(pszPath, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (nFd < 0) return errno == EEXIST ? TEXT_EXISTS : TEXT_FAILED;
    pFile->pFile = _fdopen(nFd, "wt");
    if (pFile->pFile == NULL) {
        _close(nFd);
        return TEXT_FAILED;
    }
    return TEXT_CREATED;
}

// The C runtime has no unnamed file: a writer killed between creating n.txt
// and filling it still leaves an empty n.txt here.
int TextCreateUnnamed(TextFile* pFile, const char*) {
    pFile->pFile = NULL;
    return TEXT_UNSUPPORTED;
}

int TextPublish(TextFile*, const char*) { return TEXT_UNSUPPORTED; }

// Nothing here is ever unnamed.
bool TextSyncUnnamed(TextFile*, int nCount) { return nCount == 0; }

char* TextGets(char* pszBuffer, int nSize, TextFile* pFile) { return fgets(pszBuffer, nSize, pFile->pFile); }

bool TextPuts(const char* pszText, TextFile* pFile) { return fputs(pszText, pFile->pFile) >= 0; }

bool TextClose(TextFile* pFile) {
    bool bWritten = ferror(pFile->pFile) == 0;
    if (bWritten && pFile->bWriting)
        bWritten = fflush(pFile->pFile) == 0 && _commit(_fileno(pFile->pFile)) == 0;
    if (fclose(pFile->pFile) != 0) bWritten = false;
    pFile->pFile = NULL;
    return bWritten;
}

bool TextSyncFolder(const char*) { return true; }

#else

#include <ansi_stdio.h>
#include <fcntl.h>
#include <unistd.h>

// The same bytes, translated here over plain file descriptors.

namespace {

const int END_OF_TEXT = 0x1A;

void Reset(TextFile* pFile, int nFd, bool bWriting) {
    pFile->nFd = nFd;
    pFile->bWriting = bWriting;
    pFile->nPos = 0;
    pFile->nLength = 0;
    pFile->bEnd = false;
    pFile->bFailed = false;
    pFile->bSynced = false;
}

bool Refill(TextFile* pFile) {
    if (pFile->bEnd) return false;
    ssize_t nRead;
    do {
        nRead = read(pFile->nFd, pFile->abBuffer, sizeof pFile->abBuffer);
    } while (nRead < 0 && errno == EINTR);
    if (nRead <= 0) {
        pFile->bEnd = true;
        return false;
    }
    pFile->nPos = 0;
    pFile->nLength = (int)nRead;
    // A file read short is at its end: no second read just to hear so.
    if (nRead < (ssize_t)sizeof pFile->abBuffer) pFile->bEnd = true;
    return true;
}

int PeekByte(TextFile* pFile) {
    if (pFile->nPos == pFile->nLength && !Refill(pFile)) return EOF;
    return pFile->abBuffer[pFile->nPos];
}

// The next character as text mode reads it, or EOF.
int GetTextChar(TextFile* pFile) {
    int c = PeekByte(pFile);
    if (c == EOF) return EOF;
    if (c == END_OF_TEXT) return EOF;  // left unread, so every later read ends here too
    pFile->nPos++;
    if (c != '\r') return c;
    if (PeekByte(pFile) == '\n') {
        pFile->nPos++;
        return '\n';
    }
    return '\r';
}

bool Flush(TextFile* pFile) {
    int nDone = 0;
    while (nDone < pFile->nLength) {
        ssize_t nWritten = write(pFile->nFd, pFile->abBuffer + nDone, pFile->nLength - nDone);
        if (nWritten < 0 && errno == EINTR) continue;
        if (nWritten <= 0) {
            pFile->bFailed = true;
            break;
        }
        nDone += (int)nWritten;
    }
    pFile->nLength = 0;
    return !pFile->bFailed;
}

bool PutByte(TextFile* pFile, char c) {
    if (pFile->nLength == (int)sizeof pFile->abBuffer && !Flush(pFile)) return false;
    pFile->abBuffer[pFile->nLength++] = (unsigned char)c;
    return true;
}

}  // namespace

bool TextOpenRead(TextFile* pFile, const char* pszPath) {
    // Non-blocking, so a FIFO dropped into a folder reads as empty instead of hanging.
    int nFd = ansi_open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
    Reset(pFile, nFd, false);
    return nFd >= 0;
}

int TextCreateNew(TextFile* pFile, const char* pszPath) {
    int nFd = ansi_open(pszPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    Reset(pFile, nFd, true);
    if (nFd >= 0) return TEXT_CREATED;
    return errno == EEXIST ? TEXT_EXISTS : TEXT_FAILED;
}

int TextCreateUnnamed(TextFile* pFile, const char* pszFolder) {
    // Old kernels and some file systems refuse O_TMPFILE (EOPNOTSUPP, EISDIR):
    // the caller then writes by name as before.
    int nFd = ansi_open(pszFolder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    Reset(pFile, nFd, true);
    return nFd >= 0 ? TEXT_CREATED : TEXT_UNSUPPORTED;
}

int TextPublish(TextFile* pFile, const char* pszPath) {
    if (!pFile->bSynced) {
        if (pFile->nLength > 0) Flush(pFile);
        if (pFile->bFailed || fsync(pFile->nFd) != 0) return TEXT_FAILED;
        pFile->bSynced = true;
    }
    if (ansi_link_fd(pFile->nFd, pszPath) == 0) return TEXT_CREATED;
    if (errno == EEXIST) return TEXT_EXISTS;
    return TEXT_UNSUPPORTED;
}

// syncfs() writes out every dirty file of the file system, whoever wrote
// it: far cheaper than one journal commit per word. Its error report covers
// only writes since the descriptor was opened, which is all these files hold.
bool TextSyncUnnamed(TextFile* aFiles, int nCount) {
    bool bWritten = true;
    for (int i = 0; i < nCount; i++) {
        if (aFiles[i].nLength > 0) Flush(&aFiles[i]);
        if (aFiles[i].bFailed) bWritten = false;
    }
    if (!bWritten || nCount == 0) return bWritten;
    if (syncfs(aFiles[0].nFd) != 0) return false;
    for (int i = 0; i < nCount; i++) aFiles[i].bSynced = true;
    return true;
}

char* TextGets(char* pszBuffer, int nSize, TextFile* pFile) {
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

bool TextPuts(const char* pszText, TextFile* pFile) {
    pFile->bSynced = false;
    for (const char* p = pszText; *p != '\0'; p++) {
        if (*p == '\n' && !PutByte(pFile, '\r')) return false;
        if (!PutByte(pFile, *p)) return false;
    }
    return true;
}

bool TextClose(TextFile* pFile) {
    bool bWritten = !pFile->bFailed;
    if (pFile->bWriting && pFile->nLength > 0) bWritten = Flush(pFile);
    if (pFile->bWriting && bWritten && !pFile->bSynced && fsync(pFile->nFd) != 0) bWritten = false;
    if (close(pFile->nFd) != 0) bWritten = false;
    pFile->nFd = -1;
    return bWritten;
}

bool TextSyncFolder(const char* pszFolder) {
    int nFd = ansi_open(pszFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (nFd < 0) return false;
    bool bSynced = fsync(nFd) == 0;
    close(nFd);
    return bSynced;
}

#endif
