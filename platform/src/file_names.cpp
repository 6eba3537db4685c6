#include "file_names.h"

#include "text_encoding.h"

namespace wordoria::platform {
namespace {

// Simple upper-case mapping of the cased letters that code page 932 holds:
// names without a Shift-JIS form never get this far.
char16_t UpperCase(char16_t unit) {
    auto shifted = [unit](int by) { return static_cast<char16_t>(unit - by); };
    if (unit >= u'a' && unit <= u'z') return shifted(0x20);
    if (unit < 0x80) return unit;
    if (unit >= 0x03B1 && unit <= 0x03C9 && unit != 0x03C2) return shifted(0x20);  // Greek
    if (unit == 0x03C2) return 0x03A3;                                              // final sigma
    if (unit >= 0x0430 && unit <= 0x044F) return shifted(0x20);                     // Cyrillic
    if (unit >= 0x0450 && unit <= 0x045F) return shifted(0x50);
    if (unit >= 0x2170 && unit <= 0x217F) return shifted(0x10);  // small Roman numerals
    if (unit >= 0xFF41 && unit <= 0xFF5A) return shifted(0x20);  // full-width Latin
    return unit;
}

int CompareIgnoringCase(std::u16string_view a, std::u16string_view b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        char16_t upperA = UpperCase(a[i]), upperB = UpperCase(b[i]);
        if (upperA != upperB) return upperA < upperB ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool ToFileName(std::string_view disk, FileName* name) {
    if (disk.find('\\') != std::string_view::npos) return false;
    if (!Utf8ToAnsiExact(disk, &name->ansi)) return false;
    if (!Utf8ToUtf16(disk, &name->wide)) return false;
    name->disk.assign(disk);
    return true;
}

bool ListedBefore(const FileName& a, const FileName& b) {
    int order = CompareIgnoringCase(a.wide, b.wide);
    return order != 0 ? order < 0 : a.wide < b.wide;
}

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) { return CompareIgnoringCase(a, b) == 0; }

}  // namespace wordoria::platform
