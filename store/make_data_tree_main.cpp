// wordoria-make-data [FOLDER]: the install step that makes the DATA tree in
// FOLDER (by default the working directory). Existing words are left alone.
#include "data_tree.h"

#include <stdio.h>
#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
    if (argc > 2) {
        fprintf(stderr, "usage: wordoria-make-data [FOLDER]\n");
        return 2;
    }
    if (argc == 2 && chdir(argv[1]) != 0) {
        perror(argv[1]);
        return 1;
    }
    if (!MakeDataTree()) {
        fprintf(stderr, "wordoria-make-data: could not make the DATA folders\n");
        return 1;
    }
    return 0;
}
