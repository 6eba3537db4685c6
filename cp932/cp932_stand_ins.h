// Characters typed on Linux or macOS where Windows' Japanese input gives
// another: code page 932 has a form only for the other, so text going into
// the store takes that form. The reverse way is left alone (0x8160 reads
// back as U+FF5E), and so are names, which must read back as themselves.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace wordoria::cp932 {

struct StandIn {
    char32_t typed;   // as other systems type it
    char32_t stored;  // the character whose code page 932 form the store takes
};

inline constexpr std::array<StandIn, 7> kStandIns{{
    {U'\u301C', U'\uFF5E'},  // WAVE DASH, stored as 0x8160
    {U'\u2212', U'\uFF0D'},  // MINUS SIGN, 0x817C
    {U'\u2016', U'\u2225'},  // DOUBLE VERTICAL LINE, 0x8161
    {U'\u2014', U'\u2015'},  // EM DASH, 0x815C
    {U'\u00A2', U'\uFFE0'},  // CENT SIGN, 0x8191
    {U'\u00A3', U'\uFFE1'},  // POUND SIGN, 0x8192
    {U'\u00AC', U'\uFFE2'},  // NOT SIGN, 0x81CA
}};

// UTF-8 text with every typed character of the table turned into the one
// stored for it; every other byte, well-formed or not, as it was.
std::string WithStandIns(std::string_view utf8);

}  // namespace wordoria::cp932
