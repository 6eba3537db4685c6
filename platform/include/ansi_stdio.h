// The C runtime on Windows takes narrow file names in code page 932.
// This is the same for the Linux build, where names on disk are UTF-8.
#ifndef WORDORIA_PLATFORM_ANSI_STDIO_H
#define WORDORIA_PLATFORM_ANSI_STDIO_H

#include <stdio.h>

// fopen() with a Shift-JIS path; mode as fopen's, "x" for exclusive creation.
// On failure returns NULL with errno set, as fopen does.
FILE* ansi_fopen(const char* pszPath, const char* pszMode);

// open() with a Shift-JIS path; -1 with errno set on failure.
int ansi_open(const char* pszPath, int nFlags, int nMode);

// Gives the unnamed file open as nFd (O_TMPFILE) a Shift-JIS name, never
// replacing an entry; -1 with errno set (EEXIST: the name is taken).
int ansi_link_fd(int nFd, const char* pszNewPath);

#endif
