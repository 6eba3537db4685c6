// The file an import reads, record by record: memory holds one record,
// never the whole file. The file is read more than once (its encoding, the
// check, the writing), so standard input is first copied to a temporary file.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <string>

namespace wordoria::cli {

enum class InputEncoding { Utf8, ShiftJis };

// A byte that begins no character: its line, counted from 1, and its place
// in the file, counted from 1 as cmp says it.
struct BadByte {
    int line = 0;
    uint64_t byte = 0;
    unsigned char value = 0;
};

// What the whole text was found to be. A byte-order mark makes it UTF-8
// whatever follows; without one, text that is not UTF-8 throughout is read
// as Shift-JIS (code page 932), as Japanese Excel saves CSV.
struct EncodingFound {
    bool known = false;
    InputEncoding encoding = InputEncoding::Utf8;
    bool byteOrderMark = false;
    BadByte notUtf8;      // when not UTF-8
    BadByte notShiftJis;  // when neither
};

class ImportInput {
public:
    enum Result { RECORD, END, TOO_LONG, READ_FAILED };

    // A record longer than this is no word: a quote never closed, or not CSV.
    static const size_t kRecordLimit = 1 << 20;

    explicit ImportInput(FILE* stream) : stream_(stream) {}
    ~ImportInput();
    ImportInput(const ImportInput&) = delete;
    ImportInput& operator=(const ImportInput&) = delete;

    // False when a stream that cannot seek could not be copied aside.
    bool MakeRereadable();

    // Reads the whole file once; false when it could not be read.
    bool FindEncoding(EncodingFound* found);

    // Starts the reading over, in the given encoding.
    bool Restart(InputEncoding encoding);

    // The next record as UTF-8, its line break included, and the line it
    // begins on. A record ends at a line break outside quotes.
    Result NextRecord(std::string* utf8, int* line);

private:
    bool Fill();

    FILE* stream_;
    FILE* spool_ = nullptr;
    long start_ = 0;  // where the import's text begins in the stream
    InputEncoding encoding_ = InputEncoding::Utf8;
    std::string buffer_;
    size_t position_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
    bool atStart_ = true;
    int line_ = 1;
};

}  // namespace wordoria::cli
