// What both benchmark programs need of the store: a folder of word files,
// and reading a whole category the way the program does.
#pragma once

#include <word_file.h>

namespace bench {

// Writes 1.txt to count.txt into a folder (a Shift-JIS path), in the store's bytes.
void FillFolder(const char* folder, int count);

// Lists and reads a category into a table of 10000 records; returns how many it read.
int ReadCategory(int category);

}  // namespace bench
