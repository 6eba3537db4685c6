#include "text/text_encoding.h"

#include "cp932_stand_ins.h"

#include <cerrno>
#include <iconv.h>

namespace wordoria::platform {
namespace {

// One converter per direction and thread: iconv_open is far too slow to
// pay on every file name of a 10000-entry listing.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Stops at the first character without a counterpart: false then.
    bool ConvertAll(std::string_view in, std::string* out) {
        out->clear();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        return ConvertRun(&src, &srcLeft, out);
    }

    template <typename SkipLength>
    std::string Convert(std::string_view in, SkipLength skipLength) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        while (!ConvertRun(&src, &srcLeft, &out)) {
            // Invalid or incomplete input: stand in '?' for one character.
            size_t skip = skipLength(src, srcLeft);
            out.push_back('?');
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    // Appends what converts; false where input stops that has no counterpart.
    bool ConvertRun(char** src, size_t* srcLeft, std::string* out) {
        char buffer[256];
        while (*srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t result = iconv(cd_, src, srcLeft, &dst, &dstLeft);
            out->append(buffer, dst - buffer);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

    iconv_t cd_;
};

size_t AnsiCharLength(const char* at, size_t left) {
    return IsAnsiLeadByte(static_cast<unsigned char>(at[0])) && left >= 2 ? 2 : 1;
}

// The bytes one unconvertible UTF-8 character takes: a whole well-formed
// sequence, or a single stray byte.
size_t Utf8CharLength(const char* at, size_t left) {
    auto lead = static_cast<unsigned char>(at[0]);
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
    if (length > left) return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(at[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

}  // namespace

char FoldAsciiCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAnsiLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string AnsiToUtf8(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi);
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(ansi, AnsiCharLength);
}

std::string Utf8ToAnsi(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Convert(utf8, Utf8CharLength);
}

std::string TypedUtf8ToAnsi(std::string_view utf8) { return Utf8ToAnsi(cp932::WithStandIns(utf8)); }

// iconv maps some characters onto the form of another (a full-width sign
// onto its neighbour): only the way back tells the name is the same.
bool Utf8ToAnsiExact(std::string_view utf8, std::string* ansi) {
    if (IsAscii(utf8)) {
        ansi->assign(utf8);
        return true;
    }
    thread_local Converter toAnsi("CP932", "UTF-8");
    thread_local Converter back("UTF-8", "CP932");
    thread_local std::string again;
    return toAnsi.ConvertAll(utf8, ansi) && back.ConvertAll(*ansi, &again) && again == utf8;
}

bool Utf8ToUtf16(std::string_view utf8, std::u16string* units) {
    units->assign(utf8.begin(), utf8.end());
    if (IsAscii(utf8)) return true;
    thread_local Converter converter("UTF-16LE", "UTF-8");
    thread_local std::string bytes;
    if (!converter.ConvertAll(utf8, &bytes)) return false;
    units->resize(bytes.size() / 2);
    for (size_t i = 0; i < units->size(); ++i) {
        (*units)[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return true;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    thread_local Converter converter("UTF-8", "UTF-16LE");
    return converter.Convert(bytes, [](const char*, size_t left) { return left < 2 ? left : size_t{2}; });
}

}  // namespace wordoria::platform
