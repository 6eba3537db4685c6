#include "files/file_search_match.h"

#include "text/text_encoding.h"

namespace wordoria::platform {
namespace {

size_t CharLength(const std::string& text, size_t at) {
    return IsAnsiLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

bool SameChar(const std::string& a, size_t atA, const std::string& b, size_t atB) {
    size_t length = CharLength(a, atA);
    if (length != CharLength(b, atB)) return false;
    if (length == 1) return FoldAsciiCase(a[atA]) == FoldAsciiCase(b[atB]);
    return a.compare(atA, 2, b, atB, 2) == 0;
}

// Greedy matching with one backtrack point, by whole characters.
bool Glob(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameChar(pattern, p, name, n))) {
            size_t step = pattern[p] == '?' ? 1 : CharLength(pattern, p);
            p += step;
            n += CharLength(name, n);
        } else if (starP != std::string::npos) {
            p = starP;
            starN += CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesFilePattern(const std::string& pattern, const std::string& name) {
    if (pattern == "*" || pattern == "*.*") return true;  // what listings ask for, thousands of times
    if (Glob(pattern, name)) return true;
    const size_t suffix = 2;
    if (pattern.size() >= suffix && pattern.compare(pattern.size() - suffix, suffix, ".*") == 0)
        return Glob(pattern.substr(0, pattern.size() - suffix), name);
    return false;
}

}  // namespace wordoria::platform
