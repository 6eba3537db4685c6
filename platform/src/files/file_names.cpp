#include "files/file_names.h"

#include "text/text_encoding.h"

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

// A name's UTF-16 units without making them for plain ASCII, which most
// names of a listing are.
struct Units {
    explicit Units(const FileName& name) : ascii(name.wide.empty() ? &name.ansi : nullptr), wide(&name.wide) {}
    size_t size() const { return ascii != nullptr ? ascii->size() : wide->size(); }
    char16_t operator[](size_t i) const {
        return ascii != nullptr ? static_cast<unsigned char>((*ascii)[i]) : (*wide)[i];
    }
    const std::string* ascii;
    const std::u16string* wide;
};

template <typename A, typename B>
int Compare(const A& a, const B& b, bool ignoreCase) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        char16_t unitA = ignoreCase ? UpperCase(a[i]) : a[i];
        char16_t unitB = ignoreCase ? UpperCase(b[i]) : b[i];
        if (unitA != unitB) return unitA < unitB ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool ToFileName(std::string_view disk, FileName* name) {
    if (disk.find('\\') != std::string_view::npos) return false;
    name->disk.assign(disk);
    if (IsAscii(disk)) {
        name->ansi.assign(disk);
        name->wide.clear();
        name->upper.assign(disk);
        for (char& c : name->upper) c = static_cast<char>(UpperCase(static_cast<unsigned char>(c)));
        return true;
    }
    name->upper.clear();
    return Utf8ToAnsiExact(disk, &name->ansi) && Utf8ToUtf16(disk, &name->wide);
}

bool ListedBefore(const FileName& a, const FileName& b) {
    if (a.wide.empty() && b.wide.empty()) {  // both ASCII: bytes compare as their units would
        int order = a.upper.compare(b.upper);
        return order != 0 ? order < 0 : a.ansi < b.ansi;
    }
    Units unitsA(a), unitsB(b);
    int order = Compare(unitsA, unitsB, true);
    return order != 0 ? order < 0 : Compare(unitsA, unitsB, false) < 0;
}

bool MatchesIgnoringCase(std::string_view disk, std::u16string_view wanted, FileName* name) {
    // An ASCII name has as many units as bytes: most names fail here, unconverted.
    if (IsAscii(disk) && disk.size() != wanted.size()) return false;
    return ToFileName(disk, name) && Compare(Units(*name), wanted, true) == 0;
}

}  // namespace wordoria::platform
