#include "text/text_encoding.h"
#include "files/native_path.h"

#include <gtest/gtest.h>

namespace {

using namespace wordoria::platform;

TEST(TextEncoding, RoundTripsShiftJisThroughUtf8) {
    const std::string ansi = "DATA/日本語/か行/き/表ソ能.txt";  // 表, ソ and 能 end in 0x5C
    std::string utf8 = AnsiToUtf8(ansi);
    EXPECT_EQ(utf8, u8"DATA/日本語/か行/き/表ソ能.txt");
    EXPECT_EQ(Utf8ToAnsi(utf8), ansi);
    EXPECT_EQ(AnsiToUtf8("plain ascii"), "plain ascii");
    EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(TextEncoding, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToAnsi(u8"a\U0001F600b"), "a?b");      // no emoji in code page 932
    EXPECT_EQ(Utf8ToAnsi("a\xFF" "b"), "a?b");            // not UTF-8 at all
    EXPECT_EQ(Utf8ToAnsi(u8"x\u00E9y"), "x?y");           // é has no Shift-JIS form
    EXPECT_EQ(AnsiToUtf8("a\x81"), "a?");                 // a lead byte cut off at the end
    EXPECT_EQ(AnsiToUtf8("\xA0z"), "?z");                 // unassigned single byte
}

// A file name must read back as itself: iconv maps some characters onto
// another's form (the yen sign onto the backslash, the wave dash onto the
// full-width tilde), and those have no Shift-JIS name of their own.
TEST(TextEncoding, ExactConversionRefusesWhatDoesNotReadBack) {
    std::string ansi;
    EXPECT_TRUE(Utf8ToAnsiExact(u8"表ソ能.txt", &ansi));
    EXPECT_EQ(ansi, "表ソ能.txt");
    EXPECT_TRUE(Utf8ToAnsiExact(u8"～", &ansi));         // U+FF5E, the form 0x8160 reads back as
    EXPECT_FALSE(Utf8ToAnsiExact(u8"\u301C", &ansi));   // the wave dash that also maps there
    EXPECT_FALSE(Utf8ToAnsiExact(u8"\u00A5.txt", &ansi));
    EXPECT_FALSE(Utf8ToAnsiExact(u8"a\U0001F600", &ansi));
    EXPECT_FALSE(Utf8ToAnsiExact("a\xFF", &ansi));

    std::u16string wide;
    EXPECT_TRUE(Utf8ToUtf16(u8"aＡ漢", &wide));
    EXPECT_EQ(wide, u"aＡ漢");
    EXPECT_FALSE(Utf8ToUtf16("a\xFF", &wide));
}

TEST(TextEncoding, LeadBytes) {
    EXPECT_TRUE(IsAnsiLeadByte(0x81));
    EXPECT_TRUE(IsAnsiLeadByte(0x9F));
    EXPECT_TRUE(IsAnsiLeadByte(0xE0));
    EXPECT_TRUE(IsAnsiLeadByte(0xFC));
    EXPECT_FALSE(IsAnsiLeadByte(0x80));
    EXPECT_FALSE(IsAnsiLeadByte(0xA0));
    EXPECT_FALSE(IsAnsiLeadByte(0xB1));  // half-width katakana stand alone
    EXPECT_FALSE(IsAnsiLeadByte('\\'));
}

TEST(NativePath, ConvertsNamesAndSeparatorsButNotTrailBytes) {
    EXPECT_EQ(NativePath("DATA\\記号\\1.txt"), u8"DATA/記号/1.txt");
    EXPECT_EQ(NativePath("DATA/表/x"), u8"DATA/表/x");
    // The remembered folder must not leak into the next path.
    EXPECT_EQ(NativePath("DATA/英語/A/1.txt"), u8"DATA/英語/A/1.txt");
    EXPECT_EQ(NativePath("DATA/英語/B/1.txt"), u8"DATA/英語/B/1.txt");
    EXPECT_EQ(NativePath("name"), "name");
    EXPECT_EQ(NativePath("/abs/メモ"), u8"/abs/メモ");
}

}  // namespace
