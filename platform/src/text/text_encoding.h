// Conversions at the layer's edges: the program speaks code page 932,
// the file system speaks UTF-8 and Qt speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace wordoria::platform {

// Bytes that have no counterpart become '?', as Windows' ANSI functions do.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// Text a user typed into a field, which goes into the store: as Utf8ToAnsi,
// but a character other systems type where Windows gives another (the wave
// dash for the full-width tilde, cp932_stand_ins.h) takes the other's form,
// by our table rather than by whatever iconv the system has.
std::string TypedUtf8ToAnsi(std::string_view utf8);

// The Shift-JIS form of UTF-8 text that has one: every character maps, and
// the bytes read back as the same text. False otherwise (ansi is then undefined).
bool Utf8ToAnsiExact(std::string_view utf8, std::string* ansi);

// UTF-16 code units of UTF-8 text; false for text that is not UTF-8.
bool Utf8ToUtf16(std::string_view utf8, std::u16string* units);

// UTF-8 of UTF-16 code units, as compiled resources hold their texts; a
// unit that pairs with nothing becomes '?'.
std::string Utf16ToUtf8(std::u16string_view units);

// Plain ASCII reads the same in every encoding here; most file names are.
bool IsAscii(std::string_view text);

// True for the first byte of a double-byte Shift-JIS character.
bool IsAnsiLeadByte(unsigned char byte);

// ASCII letters in one case; every other byte as it is. Win32 compares
// class names and file names this way.
char FoldAsciiCase(char c);

}  // namespace wordoria::platform
