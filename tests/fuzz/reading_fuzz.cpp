// Fuzzes the reading rule: any bytes in a word file give six terminated
// fields within their limits, and nothing is read or written out of bounds.
// The whole-file reading too: what it calls in form fits the registration's
// limits.
#include <word_file.h>

#include <ansi_stdio.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/wordoria-fuzz-read-" + std::to_string(getpid()) + ".txt";
    FILE* file = ansi_fopen(path.c_str(), "wb");
    if (file == nullptr) abort();
    fwrite(data, 1, size, file);
    fclose(file);

    char name[WORD_FIELD_SIZE];
    char lines[WORD_LINE_COUNT][WORD_FIELD_SIZE];
    // Stale bytes as a reused record holds them: the rule must not trip on them.
    memset(name, size > 0 ? data[0] : 'x', sizeof name);
    memset(lines, size > 1 ? data[1] : 'y', sizeof lines);
    if (!ReadWordFile(path.c_str(), name, lines)) abort();

    if (memchr(name, '\0', 80) == nullptr) abort();  // at most 79 bytes read
    for (auto& line : lines) {
        if (memchr(line, '\0', 85) == nullptr) abort();  // at most 84 bytes read
    }
    // A field never keeps the line end the rule cuts off.
    size_t nameLength = strlen(name);
    if (nameLength > 0 && name[nameLength - 1] == '\n') abort();

    WordEntry entry;
    memset(&entry, size > 2 ? data[2] : 'z', sizeof entry);
    int form = ReadWordEntry(path.c_str(), &entry);
    if (memchr(entry.szName, '\0', sizeof entry.szName) == nullptr) abort();
    if (memchr(entry.szContent, '\0', sizeof entry.szContent) == nullptr) abort();
    if (form == ENTRY_IN_FORM && (strlen(entry.szName) > WORD_NAME_MAX || strlen(entry.szContent) > WORD_CONTENT_MAX))
        abort();
    if (form == ENTRY_IN_FORM && CheckWordEntry(&entry) != ENTRY_IN_FORM) abort();
    return 0;
}
