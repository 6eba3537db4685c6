#include "text.h"

#include "cp932_stand_ins.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <vector>

namespace wordoria::cli {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

// Length of the well-formed UTF-8 sequence at text[i]; 0 when none starts
// there (a stray byte, a sequence cut short, an overlong form, a surrogate).
size_t SequenceAt(std::string_view text, size_t i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return 1;
    size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return 0;
    unsigned char second = static_cast<unsigned char>(text[i + 1]);
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high) return 0;
    for (size_t k = 2; k < length; k++)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

// Splits UTF-8 text into its characters' byte sequences; false on bad bytes.
bool SplitCharacters(std::string_view text, std::vector<std::string_view>* characters) {
    for (size_t i = 0; i < text.size();) {
        size_t length = SequenceAt(text, i);
        if (length == 0) return false;
        if (characters != nullptr) characters->push_back(text.substr(i, length));
        i += length;
    }
    return true;
}

#ifdef _WIN32

std::wstring Widen(std::string_view text, UINT codePage, DWORD flags) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(std::wstring_view wide, UINT codePage, BOOL* usedDefault) {
    if (wide.empty()) return std::string();
    BOOL* flag = codePage == CP_UTF8 ? nullptr : usedDefault;
    DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, flag);
    std::string narrow(length, '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &narrow[0], length, nullptr,
                        flag);
    return narrow;
}

bool Convert(std::string_view from, UINT fromCodePage, UINT toCodePage, std::string* to) {
    if (from.empty()) {
        to->clear();
        return true;
    }
    std::wstring wide = Widen(from, fromCodePage, MB_ERR_INVALID_CHARS);
    if (wide.empty()) return false;
    BOOL usedDefault = FALSE;
    *to = Narrow(wide, toCodePage, &usedDefault);
    return !usedDefault && !to->empty();
}

const UINT kShiftJis = 932;

bool ConvertExactly(std::string_view from, bool toShiftJis, std::string* to) {
    return toShiftJis ? Convert(from, CP_UTF8, kShiftJis, to) : Convert(from, kShiftJis, CP_UTF8, to);
}

#else

// iconv with nothing guessed: false when any byte does not convert.
bool ConvertExactly(std::string_view from, bool toShiftJis, std::string* to) {
    iconv_t converter = toShiftJis ? iconv_open("CP932", "UTF-8") : iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string output(from.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(from.data());
    size_t inLeft = from.size();
    char* out = &output[0];
    size_t outLeft = output.size();
    bool done = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
    iconv_close(converter);
    if (!done) return false;
    output.resize(output.size() - outLeft);
    *to = output;
    return true;
}

#endif

bool IsShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

}  // namespace

size_t FirstNonUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t length = SequenceAt(text, i);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

bool IsUtf8(std::string_view text) { return FirstNonUtf8(text) == std::string_view::npos; }

// Some characters convert one way only (several map to one Shift-JIS code):
// what does not read back as itself has no Shift-JIS form of its own.
bool ToShiftJisExact(std::string_view utf8, std::string* sjis) {
    std::string back;
    return IsUtf8(utf8) && ConvertExactly(utf8, true, sjis) && ConvertExactly(*sjis, false, &back) && back == utf8;
}

// The table decides, not the converter: iconv maps these one way, Windows
// refuses them without best fit.
bool ToShiftJis(std::string_view utf8, std::string* sjis) {
    return ToShiftJisExact(cp932::WithStandIns(utf8), sjis);
}

// Character by character, so that one bad byte costs only itself.
std::string FromShiftJis(std::string_view sjis, bool* exact) {
    std::string whole;
    if (ConvertExactly(sjis, false, &whole)) return whole;
    if (exact != nullptr) *exact = false;
    std::string result;
    size_t i = 0;
    while (i < sjis.size()) {
        size_t length = IsShiftJisLead(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        std::string one;
        result += ConvertExactly(sjis.substr(i, length), false, &one) ? one : kReplacement;
        i += length;
    }
    return result;
}

std::string FoldLatin(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); i++) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 'A' && c <= 'Z') {
            folded += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        // U+FF21..U+FF3A and U+FF41..U+FF5A: EF BC A1..BA and EF BD 81..9A.
        if (c == 0xEF && i + 2 < utf8.size()) {
            unsigned char second = static_cast<unsigned char>(utf8[i + 1]);
            unsigned char third = static_cast<unsigned char>(utf8[i + 2]);
            if (second == 0xBC && third >= 0xA1 && third <= 0xBA) {
                folded += static_cast<char>(third - 0xA1 + 'a');
                i += 2;
                continue;
            }
            if (second == 0xBD && third >= 0x81 && third <= 0x9A) {
                folded += static_cast<char>(third - 0x81 + 'a');
                i += 2;
                continue;
            }
        }
        folded += static_cast<char>(c);
    }
    return folded;
}

std::string FirstWithoutShiftJis(std::string_view utf8) {
    std::vector<std::string_view> characters;
    if (!SplitCharacters(utf8, &characters)) return kReplacement;
    std::string sjis;
    for (std::string_view character : characters)
        if (!ToShiftJis(character, &sjis)) return std::string(character);
    return std::string();
}

std::string AsReadBack(std::string_view utf8) { return cp932::WithStandIns(utf8); }

}  // namespace wordoria::cli
