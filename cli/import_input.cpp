#include "import_input.h"

#include "text.h"

#include <algorithm>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace wordoria::cli {
namespace {

const size_t kBlock = 65536;

FILE* OpenSpool() {
#ifdef _WIN32
    // tmpfile() wants the root of the drive, which an ordinary user may not write.
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"wdc", 0, name) == 0) return nullptr;
    return _wfopen(name, L"w+bTD");  // removed when closed
#else
    return tmpfile();
#endif
}

// Only a file on a disk is sure to read the same twice: a pipe, a terminal
// or a device may seek without complaint and still not.
bool IsPlainFile(FILE* stream) {
#ifdef _WIN32
    return GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)))) == FILE_TYPE_DISK;
#else
    struct stat info {};
    return fstat(fileno(stream), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

bool IsShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }
bool IsShiftJisTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }
bool IsShiftJisSingle(unsigned char byte) { return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF); }

// The first byte that begins no Shift-JIS character, or npos. The whole
// text is tried first: a byte at a time only where that finds a fault.
size_t FirstNonShiftJis(std::string_view text) {
    bool exact = true;
    FromShiftJis(text, &exact);
    if (exact) return std::string_view::npos;
    for (size_t i = 0; i < text.size();) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (IsShiftJisSingle(byte)) {
            i++;
            continue;
        }
        if (!IsShiftJisLead(byte) || i + 1 == text.size() || !IsShiftJisTrail(static_cast<unsigned char>(text[i + 1])))
            return i;
        bool known = true;
        FromShiftJis(text.substr(i, 2), &known);
        if (!known) return i;
        i += 2;
    }
    return std::string_view::npos;
}

// One encoding tried on the whole file, a block at a time. A fault in the
// last bytes of a block may be a character the block's end cut in two: those
// bytes are judged again with the next block.
class EncodingScan {
public:
    EncodingScan(size_t longestCharacter, size_t (*firstBad)(std::string_view))
        : longest_(longestCharacter), firstBad_(firstBad) {}

    void Feed(std::string_view block, bool atEnd) {
        if (found_) return;
        pending_.append(block.data(), block.size());
        size_t at = firstBad_(pending_);
        size_t judged = at == std::string_view::npos ? pending_.size() : at;
        if (at != std::string_view::npos && (atEnd || pending_.size() - at >= longest_)) {
            found_ = true;
            bad_.line = line_ + static_cast<int>(std::count(pending_.begin(), pending_.begin() + at, '\n'));
            bad_.byte = before_ + at + 1;
            bad_.value = static_cast<unsigned char>(pending_[at]);
            return;
        }
        line_ += static_cast<int>(std::count(pending_.begin(), pending_.begin() + judged, '\n'));
        before_ += judged;
        pending_.erase(0, judged);
    }

    bool Found(BadByte* bad) const {
        if (found_) *bad = bad_;
        return found_;
    }

private:
    size_t longest_;
    size_t (*firstBad_)(std::string_view);
    std::string pending_;
    uint64_t before_ = 0;
    int line_ = 1;
    bool found_ = false;
    BadByte bad_;
};

const char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

ImportInput::~ImportInput() {
    if (spool_ != nullptr) fclose(spool_);
}

bool ImportInput::MakeRereadable() {
    // Standard input may be a file read partly already: the import is the rest.
    start_ = IsPlainFile(stream_) ? ftell(stream_) : -1;
    if (start_ >= 0) return true;
    start_ = 0;
    spool_ = OpenSpool();
    if (spool_ == nullptr) return false;
    char block[kBlock];
    size_t read;
    while ((read = fread(block, 1, sizeof block, stream_)) > 0) {
        if (fwrite(block, 1, read, spool_) != read) return false;
    }
    if (ferror(stream_) || fflush(spool_) != 0) return false;
    stream_ = spool_;
    return true;
}

bool ImportInput::FindEncoding(EncodingFound* found) {
    if (fseek(stream_, start_, SEEK_SET) != 0) return false;
    EncodingScan utf8(4, FirstNonUtf8);
    EncodingScan shiftJis(2, FirstNonShiftJis);
    char block[kBlock];
    bool first = true;
    *found = EncodingFound();
    for (;;) {
        size_t read = fread(block, 1, sizeof block, stream_);
        bool atEnd = read < sizeof block;
        if (first) found->byteOrderMark = std::string_view(block, std::min<size_t>(read, 3)) == kByteOrderMark;
        first = false;
        utf8.Feed(std::string_view(block, read), atEnd);
        if (!found->byteOrderMark) shiftJis.Feed(std::string_view(block, read), atEnd);
        if (atEnd) break;
    }
    if (ferror(stream_)) return false;
    bool notUtf8 = utf8.Found(&found->notUtf8);
    bool notShiftJis = found->byteOrderMark || shiftJis.Found(&found->notShiftJis);
    found->known = !notUtf8 || !notShiftJis;
    found->encoding = notUtf8 ? InputEncoding::ShiftJis : InputEncoding::Utf8;
    return true;
}

bool ImportInput::Restart(InputEncoding encoding) {
    encoding_ = encoding;
    buffer_.clear();
    position_ = 0;
    atEnd_ = false;
    failed_ = false;
    atStart_ = true;
    line_ = 1;
    return fseek(stream_, start_, SEEK_SET) == 0;
}

bool ImportInput::Fill() {
    if (atEnd_) return false;
    buffer_.erase(0, position_);
    position_ = 0;
    char block[kBlock];
    size_t read = fread(block, 1, sizeof block, stream_);
    if (read < sizeof block) {
        atEnd_ = true;
        failed_ = ferror(stream_) != 0;
    }
    buffer_.append(block, read);
    return read > 0;
}

// A quote never stands for part of a Shift-JIS character (second bytes start
// at 0x40), so quotes are counted on the bytes as read in either encoding.
ImportInput::Result ImportInput::NextRecord(std::string* utf8, int* line) {
    std::string raw;
    bool quoted = false;
    *line = line_;
    for (;;) {
        if (position_ == buffer_.size() && !Fill()) break;
        size_t lineBreak = buffer_.find('\n', position_);
        size_t end = lineBreak == std::string::npos ? buffer_.size() : lineBreak + 1;
        for (size_t i = position_; i < end; i++) {
            if (buffer_[i] == '"') quoted = !quoted;
        }
        raw.append(buffer_, position_, end - position_);
        position_ = end;
        if (raw.size() > kRecordLimit) return TOO_LONG;
        if (lineBreak == std::string::npos) continue;
        line_++;
        if (!quoted) break;
    }
    if (failed_) return READ_FAILED;
    if (raw.empty()) return END;
    if (atStart_ && encoding_ == InputEncoding::Utf8 && raw.compare(0, 3, kByteOrderMark) == 0) raw.erase(0, 3);
    atStart_ = false;
    *utf8 = encoding_ == InputEncoding::ShiftJis ? FromShiftJis(raw) : raw;
    return RECORD;
}

}  // namespace wordoria::cli
