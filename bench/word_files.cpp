#include "word_files.h"

#include <ansi_stdio.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {
namespace {

struct Record {
    char szName[WORD_FIELD_SIZE];
    char aszLine[WORD_LINE_COUNT][WORD_FIELD_SIZE];
};
Record g_aRecord[10000];
int g_nRead;

bool ReadInto(const char* path, void*) {
    ReadWordFile(path, g_aRecord[g_nRead].szName, g_aRecord[g_nRead].aszLine);
    ++g_nRead;
    return true;
}

}  // namespace

void FillFolder(const char* folder, int count) {
    for (int n = 1; n <= count; ++n) {
        std::string path = std::string(folder) + "/" + std::to_string(n) + ".txt";
        FILE* file = ansi_fopen(path.c_str(), "wb");
        if (file == nullptr) {
            std::perror(path.c_str());
            std::exit(1);
        }
        std::fprintf(file, "word %d\r\nfirst line of its content\r\r\nsecond line", n);
        std::fclose(file);
    }
}

int ReadCategory(int category) {
    g_nRead = 0;
    ListWordFiles(category, 10000, ReadInto, nullptr);
    return g_nRead;
}

}  // namespace bench
