// File names on a POSIX disk as Win32 would see them.
#pragma once

#include <string>
#include <string_view>

namespace wordoria::platform {

// A name on disk as a Win32 program sees it: its Shift-JIS form, and the
// UTF-16 form that Win32 sorts and compares by.
struct FileName {
    std::string disk;     // UTF-8, as readdir gave it
    std::string ansi;
    std::u16string wide;  // empty for a plain ASCII name: its units are its bytes
    std::string upper;    // a plain ASCII name upper-cased, the key it sorts by
};

// False for a name the program could not open by the name it would be
// given: a character without a Shift-JIS form, or a backslash, which Win32
// takes for a separator.
bool ToFileName(std::string_view disk, FileName* name);

// NTFS and Wine order a folder by the upper-cased UTF-16 names, and Wine
// breaks ties of case by the names as they are.
bool ListedBefore(const FileName& a, const FileName& b);

// Windows finds a file whatever the case of its letters: true when `disk`
// is a name Win32 can name and it equals `wanted` but for case; fills `name`.
bool MatchesIgnoringCase(std::string_view disk, std::u16string_view wanted, FileName* name);

}  // namespace wordoria::platform
