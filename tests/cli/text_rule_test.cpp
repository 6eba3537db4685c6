// wordoria-cli's conversion of text going into the store, on each build's
// converter: iconv on Linux, WideCharToMultiByte under Wine.
#include "text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace wordoria::cli;

TEST(CliTextRule, CharactersTypedElsewhereAreStoredAsCodePage932Holds) {
    // As typed on Linux or macOS; the code page 932 character Windows' input gives.
    const char* const kTyped[][2] = {
        {u8"\u301C", "\x81\x60"},  // WAVE DASH: FULLWIDTH TILDE
        {u8"\u2212", "\x81\x7C"},  // MINUS SIGN: FULLWIDTH HYPHEN-MINUS
        {u8"\u2016", "\x81\x61"},  // DOUBLE VERTICAL LINE: PARALLEL TO
        {u8"\u2014", "\x81\x5C"},  // EM DASH: HORIZONTAL BAR
        {u8"\u00A2", "\x81\x91"},  // CENT SIGN: FULLWIDTH CENT SIGN
        {u8"\u00A3", "\x81\x92"},  // POUND SIGN: FULLWIDTH POUND SIGN
        {u8"\u00AC", "\x81\xCA"},  // NOT SIGN: FULLWIDTH NOT SIGN
    };
    std::string sjis;
    for (const auto& typed : kTyped) {
        SCOPED_TRACE(typed[0]);
        EXPECT_TRUE(ToShiftJis(typed[0], &sjis));
        EXPECT_EQ(sjis, typed[1]);
        EXPECT_EQ(FirstWithoutShiftJis(typed[0]), "");
    }
    // Among other text, with a line break as the store keeps it.
    ASSERT_TRUE(ToShiftJis(u8"10\u301C20\u5186\r\n\u2212\u3042\uFF5E", &sjis));
    EXPECT_EQ(sjis,
              "10\x81\x60"
              "20\x89\x7E\r\n\x81\x7C\x82\xA0\x81\x60");
}

TEST(CliTextRule, OtherCharactersNamesAndTheWayBackAreAsBefore) {
    std::string sjis;
    EXPECT_FALSE(ToShiftJis(u8"\u301C\u00E9", &sjis));  // é: no best fit onto e
    EXPECT_FALSE(ToShiftJis(u8"\U0001F642", &sjis));    // 🙂
    EXPECT_FALSE(ToShiftJis("\xE3\x80", &sjis));        // a wave dash cut short
    EXPECT_EQ(FirstWithoutShiftJis(u8"\u301C\u2212caf\u00E9 \U0001F642"), u8"\u00E9");
    EXPECT_EQ(FirstWithoutShiftJis(u8"\u00AC\U0001F642"), u8"\U0001F642");
    // A name must read back as itself.
    EXPECT_FALSE(ToShiftJisExact(u8"\u301C.txt", &sjis));
    EXPECT_TRUE(ToShiftJisExact(u8"\uFF5E.txt", &sjis));
    EXPECT_EQ(FromShiftJis("\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA"),
              u8"\uFF5E\uFF0D\u2225\u2015\uFFE0\uFFE1\uFFE2");
}

}  // namespace
