// wordoria-cli's conversion of text going into the store, on each build's
// converter: iconv on Linux, WideCharToMultiByte under Wine.
#include "text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wordoria::cli;

struct Typed {
    const char* utf8;
    const char* sjis;
};

// As typed on Linux or macOS, and the code page 932 character Windows'
// Japanese input would have given.
const Typed kTyped[] = {
    {u8"\u301C", "\x81\x60"},  // WAVE DASH: FULLWIDTH TILDE
    {u8"\u2212", "\x81\x7C"},  // MINUS SIGN: FULLWIDTH HYPHEN-MINUS
    {u8"\u2016", "\x81\x61"},  // DOUBLE VERTICAL LINE: PARALLEL TO
    {u8"\u2014", "\x81\x5C"},  // EM DASH: HORIZONTAL BAR
    {u8"\u00A2", "\x81\x91"},  // CENT SIGN: FULLWIDTH CENT SIGN
    {u8"\u00A3", "\x81\x92"},  // POUND SIGN: FULLWIDTH POUND SIGN
    {u8"\u00AC", "\x81\xCA"},  // NOT SIGN: FULLWIDTH NOT SIGN
};

TEST(CliTextRule, CharactersTypedElsewhereAreStoredAsCodePage932Holds) {
    std::string all, allSjis;
    for (const Typed& typed : kTyped) {
        SCOPED_TRACE(typed.utf8);
        std::string sjis;
        EXPECT_TRUE(ToShiftJis(typed.utf8, &sjis));
        EXPECT_EQ(sjis, typed.sjis);
        EXPECT_EQ(FirstWithoutShiftJis(typed.utf8), "");
        all += typed.utf8;
        allSjis += typed.sjis;
    }
    std::string sjis;
    ASSERT_TRUE(ToShiftJis(all, &sjis));
    EXPECT_EQ(sjis, allSjis);

    // Among other text, in a line with a break as the store keeps it.
    ASSERT_TRUE(ToShiftJis(u8"10\u301C20\u5186\r\n\u2212\u3042", &sjis));
    EXPECT_EQ(sjis,
              "10\x81\x60"
              "20\x89\x7E\r\n\x81\x7C\x82\xA0");
    // What Windows' input gives maps as before.
    ASSERT_TRUE(ToShiftJis(u8"\uFF5E\uFF0D", &sjis));
    EXPECT_EQ(sjis, "\x81\x60\x81\x7C");
}

TEST(CliTextRule, CharactersWithNoFormAreStillRefusedAndNamed) {
    std::string sjis;
    EXPECT_FALSE(ToShiftJis(u8"\u00E9", &sjis));        // é: no best fit onto e
    EXPECT_FALSE(ToShiftJis(u8"\U0001F642", &sjis));    // 🙂
    EXPECT_FALSE(ToShiftJis(u8"\u301C\u00E9", &sjis));  // one good character saves nothing
    EXPECT_EQ(FirstWithoutShiftJis(u8"\u301C\u2212caf\u00E9 \U0001F642"), u8"\u00E9");
    EXPECT_EQ(FirstWithoutShiftJis(u8"\u00AC\U0001F642"), u8"\U0001F642");
    // A wave dash cut short is no character at all.
    EXPECT_FALSE(ToShiftJis("\xE3\x80", &sjis));
    EXPECT_EQ(FirstWithoutShiftJis("a\xE3\x80"), u8"\uFFFD");
}

TEST(CliTextRule, NamesAndTheWayBackKeepEveryCharacterItsOwn) {
    std::string sjis;
    EXPECT_FALSE(ToShiftJisExact(u8"\u301C.txt", &sjis));
    EXPECT_FALSE(ToShiftJisExact(u8"\u00A3", &sjis));
    EXPECT_TRUE(ToShiftJisExact(u8"\uFF5E.txt", &sjis));
    EXPECT_EQ(sjis, "\x81\x60.txt");
    // The stored characters read back as what Windows' input gives.
    EXPECT_EQ(FromShiftJis("\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA"),
              u8"\uFF5E\uFF0D\u2225\u2015\uFFE0\uFFE1\uFFE2");
}

}  // namespace
