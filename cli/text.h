// Text at the tool's edges: the store speaks Shift-JIS (code page 932), the
// tool speaks UTF-8 inside, and the terminal speaks what its system does.
#pragma once

#include <string>
#include <string_view>

namespace wordoria::cli {

// The Shift-JIS form of UTF-8 text going into the store, when every
// character has one. A character other systems type where Windows gives
// another (the wave dash for the full-width tilde, cp932_stand_ins.h) takes
// the other's form; every other character must read back as itself.
bool ToShiftJis(std::string_view utf8, std::string* sjis);

// The Shift-JIS form of a name, which must read back as itself: no
// character stands in for another.
bool ToShiftJisExact(std::string_view utf8, std::string* sjis);

// UTF-8 of Shift-JIS bytes; a byte sequence with no character becomes U+FFFD
// and clears *exact when given.
std::string FromShiftJis(std::string_view sjis, bool* exact = nullptr);

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view text);

// Where the first byte sequence that is not well-formed UTF-8 begins, or
// npos when there is none.
size_t FirstNonUtf8(std::string_view text);

// Latin letters in one case and one width (Ａ, ａ and A all become a);
// everything else as it is. Searching compares text folded so.
std::string FoldLatin(std::string_view utf8);

// Text as the store gives it back once stored: a character typed where
// code page 932 keeps another (〜 U+301C) as that other (～ U+FF5E). Search
// compares text so, or 〜 would never find what it stored.
std::string AsReadBack(std::string_view utf8);

// The first character of UTF-8 text that ToShiftJis finds no form for, or
// empty.
std::string FirstWithoutShiftJis(std::string_view utf8);

}  // namespace wordoria::cli
