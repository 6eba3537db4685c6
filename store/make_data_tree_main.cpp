// wordoria-make-data [FOLDER]: the install step that makes the DATA tree in
// FOLDER (by default the working directory). Existing words are left alone.
#include "data_tree.h"

#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#else
#include <unistd.h>
#endif

static const char s_szUsage[] =
    "usage: wordoria-make-data [FOLDER]\n"
    "Makes the DATA folder tree of Wordoria's word store (one folder for each of the 73 index\n"
    "categories) in FOLDER, else in the working directory. Folders that exist already, and the\n"
    "words in them, are left as they are.\n"
    "  -h, --help  this help\n"
    "  --          what follows is a FOLDER, even when it begins with -\n"
    "Exit status: 0 the tree is complete, 1 a folder could not be entered or made, 2 a usage error.\n";

static int UsageError(const char* pszWhat, const char* pszArgument) {
    fprintf(stderr, "wordoria-make-data: %s%s\nTry 'wordoria-make-data --help' for more information.\n", pszWhat,
            pszArgument);
    return 2;
}

// The help must not pass for shown when standard output lost it.
static int ShowUsage() {
    bool bWritten = fputs(s_szUsage, stdout) >= 0;
    bWritten = fclose(stdout) == 0 && bWritten;
    if (bWritten) return 0;
    perror("wordoria-make-data: standard output");
    return 1;
}

int main(int argc, char** argv) {
    const char* pszFolder = nullptr;
    bool bOptionsEnded = false;
    for (int i = 1; i < argc; i++) {
        const char* pszArgument = argv[i];
        bool bOption = !bOptionsEnded && pszArgument[0] == '-' && pszArgument[1] != '\0';
        if (bOption && strcmp(pszArgument, "--") == 0) {
            bOptionsEnded = true;
        } else if (bOption && (strcmp(pszArgument, "--help") == 0 || strcmp(pszArgument, "-h") == 0)) {
            return ShowUsage();
        } else if (bOption) {
            return UsageError("unknown option ", pszArgument);
        } else if (pszFolder != nullptr) {
            return UsageError("one FOLDER at most; also given: ", pszArgument);
        } else {
            pszFolder = pszArgument;
        }
    }
    if (pszFolder != nullptr && chdir(pszFolder) != 0) {
        perror(pszFolder);
        return 1;
    }
    if (!MakeDataTree()) {
        fprintf(stderr, "wordoria-make-data: could not make the DATA folders\n");
        return 1;
    }
    return 0;
}
