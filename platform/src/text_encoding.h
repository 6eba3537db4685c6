// Conversions at the layer's edges: the program speaks code page 932,
// the file system speaks UTF-8 and Qt speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace wordoria::platform {

// Bytes that have no counterpart become '?', as Windows' ANSI functions do.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// True for the first byte of a double-byte Shift-JIS character.
bool IsAnsiLeadByte(unsigned char byte);

// ASCII letters in one case; every other byte as it is. Win32 compares
// class names and file names this way.
char FoldAsciiCase(char c);

}  // namespace wordoria::platform
