// The registration dialog through its real controls: clicks arrive as the
// platform delivers them, boxes are answered by the hook.
#include <regist_dialog.h>
#include <resource.h>

#include "../support/test_folder.h"
#include "app_fixture.h"

#include <functional>
#include <string>

namespace {

using namespace wordoria::test;
using wordoria::testing::MessageBoxCall;
using wordoria::testing::MessageBoxHook;

class Regist : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        EnsureApplication();
        ASSERT_TRUE(StartAtRest(MODE_REGIST));
        // A dialog as at start-up: nothing selected, both fields empty.
        g_RegistState.entry.nCategory = 0;
        const int* ids = GetCategoryButtonIds();
        for (int i = 0; i < CATEGORY_COUNT; ++i) SendMessageA(Item(ids[i]), BM_SETCHECK, BST_UNCHECKED, 0);
        SetDlgItemTextA(Dialog(), IDC_WORDNAME, "");
        SetDlgItemTextA(Dialog(), IDC_CONTENT, "");
    }
    static HWND Dialog() { return g_App.m_main.m_hDlgRegist; }
    static HWND Item(int id) { return GetDlgItem(Dialog(), id); }
    // A click as the user's: the button's own message, dispatched by the loop.
    static void Click(int id) {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        Turns(3);
    }
    static void Fill(const std::string& name, const std::string& content) {
        SetDlgItemTextA(Dialog(), IDC_WORDNAME, name.c_str());
        SetDlgItemTextA(Dialog(), IDC_CONTENT, content.c_str());
    }
    static bool Checked(int id) { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static std::string Text(int id) {
        char text[600];
        GetDlgItemTextA(Dialog(), id, text, sizeof text);
        return text;
    }
};

TEST_F(Regist, EachMissingCombinationHasItsOwnMessage) {
    const std::string category = "索引カテゴリが選択されていません。";
    const std::string name = "単語名が入力されていません。";
    const std::string content = "内容が入力されていません。";
    struct Case {
        bool withCategory, withName, withContent;
        std::string text;
    } cases[] = {
        {false, false, false, category + "\n" + name + "\n" + content},
        {false, false, true, category + "\n" + name},
        {false, true, false, category + "\n" + content},
        {true, false, false, name + "\n" + content},
        {false, true, true, category},
        {true, false, true, name},
        {true, true, false, content},
    };
    for (const Case& c : cases) {
        g_RegistState.entry.nCategory = c.withCategory ? 7 : 0;
        Fill(c.withName ? " " : "", c.withContent ? "\r\nx" : "");  // a space and a leading break count
        MessageBoxHook boxes;
        Click(IDC_DECIDE);
        ASSERT_EQ(boxes.calls().size(), 1u) << c.text;
        EXPECT_EQ(boxes.calls()[0].caption, "お知らせ");
        EXPECT_EQ(boxes.calls()[0].text, c.text);
        EXPECT_EQ(boxes.calls()[0].type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(boxes.calls()[0].owner, nullptr);
    }
    EXPECT_TRUE(ListNames("DATA/日本語/か行/き").empty());
}

TEST_F(Regist, RadioGroupsAreLinkedByHand) {
    // あ stands alone in its group: a click on it unchecks every other button.
    const int* ids = GetCategoryButtonIds();
    for (int i = 0; i < CATEGORY_COUNT; ++i) SendMessageA(Item(ids[i]), BM_SETCHECK, BST_CHECKED, 0);
    Click(IDC_KANA_A);
    EXPECT_TRUE(Checked(IDC_KANA_A));
    for (int i = 0; i < CATEGORY_COUNT; ++i) EXPECT_EQ(Checked(ids[i]), ids[i] == IDC_KANA_A) << ids[i];
    Click(IDC_KANA_A);
    Click(IDC_KANA_I);
    EXPECT_FALSE(Checked(IDC_KANA_A));
    EXPECT_TRUE(Checked(IDC_KANA_I));
    EXPECT_EQ(g_RegistState.entry.nCategory, 2);
    Click(IDC_KANA_A);
    EXPECT_TRUE(Checked(IDC_KANA_A));
    EXPECT_FALSE(Checked(IDC_KANA_I));
    EXPECT_EQ(g_RegistState.entry.nCategory, 1);
    Click(IDC_LATIN_Z);
    EXPECT_EQ(g_RegistState.entry.nCategory, 76);
    Click(IDC_SYMBOL);
    EXPECT_EQ(g_RegistState.entry.nCategory, 81);
    EXPECT_FALSE(Checked(IDC_LATIN_Z));
}

TEST_F(Regist, ConfirmedEntriesGoToTheirCategoryFolders) {
    MessageBoxHook boxes;  // OK to every confirmation
    Click(IDC_KANA_YO);
    EXPECT_EQ(g_RegistState.entry.nCategory, 40);
    Fill("夜", "よる");
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, "確認メッセージ");
    EXPECT_EQ(boxes.calls()[0].type, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(boxes.calls()[0].owner, nullptr);
    EXPECT_EQ(boxes.calls()[0].text,
              "下記の内容で登録します。\n\n索引カテゴリ： よ\n\n単語名　　　： 夜\n\n内容　　　　： よる\n\n宜しいですか？");
    EXPECT_EQ(ReadBytes("DATA/日本語/や行/よ/1.txt"), "夜\r\nよる");

    Click(IDC_LATIN_Z);
    Fill("zebra", "animal");
    Click(IDC_DECIDE);
    EXPECT_EQ(ReadBytes("DATA/英語/Z/1.txt"), "zebra\r\nanimal");
    Click(IDC_SYMBOL);
    Click(IDC_DECIDE);
    EXPECT_EQ(ReadBytes("DATA/記号/1.txt"), "zebra\r\nanimal");
    // Nothing after a registration: no message, fields and selection kept.
    EXPECT_EQ(boxes.calls().size(), 3u);
    EXPECT_EQ(Text(IDC_WORDNAME), "zebra");
    EXPECT_TRUE(Checked(IDC_SYMBOL));
}

TEST_F(Regist, CancelWritesNothingAndKeepsEverything) {
    MessageBoxHook boxes([](const MessageBoxCall&) { return IDCANCEL; });
    Click(IDC_KANA_KI);
    Fill("name", "content");
    Click(IDC_DECIDE);
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_TRUE(ListNames("DATA/日本語/か行/き").empty());
    EXPECT_EQ(Text(IDC_WORDNAME), "name");
    EXPECT_EQ(Text(IDC_CONTENT), "content");
    EXPECT_TRUE(Checked(IDC_KANA_KI));
    EXPECT_EQ(g_RegistState.entry.nCategory, 7);
}

TEST_F(Regist, ConfirmingTwiceStoresTwoIdenticalFiles) {
    MessageBoxHook boxes;
    Click(IDC_KANA_KI);
    Fill("twice", "same");
    Click(IDC_DECIDE);
    Click(IDC_DECIDE);
    EXPECT_EQ(ListNames("DATA/日本語/か行/き"), (std::vector<std::string>{"1.txt", "2.txt"}));
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), ReadBytes("DATA/日本語/か行/き/2.txt"));
}

TEST_F(Regist, LongNamesAreCutAtEightyBytesAndLinesStayLines) {
    MessageBoxHook boxes;
    Click(IDC_KANA_KI);
    std::string name(100, 'n');
    Fill(name, "one\r\ntwo\r\nthree");
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_NE(boxes.calls()[0].text.find("単語名　　　： " + name.substr(0, 80) + "\n"), std::string::npos);
    EXPECT_NE(boxes.calls()[0].text.find("内容　　　　： one\r\ntwo\r\nthree\n"), std::string::npos);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), name.substr(0, 80) + "\r\none\r\r\ntwo\r\r\nthree");
}

// Text the program sets is never cut, so a long content reaches the field
// whole: the dialog reads 420 bytes of it, never half a double-byte character.
TEST_F(Regist, TheContentIsReadUpToFourHundredTwentyBytes) {
    MessageBoxHook boxes;
    Click(IDC_KANA_KI);
    Fill("long", std::string(500, 'c'));
    Click(IDC_DECIDE);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "long\r\n" + std::string(420, 'c'));

    Fill("wide", std::string(419, 'c') + "あい");  // あ would take bytes 420 and 421
    Click(IDC_DECIDE);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/2.txt"), "wide\r\n" + std::string(419, 'c'));
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_NE(boxes.calls()[1].text.find("： " + std::string(419, 'c') + "\n"), std::string::npos);
}

TEST_F(Regist, AFullCategorySaysSoAfterTheConfirmation) {
    for (int n = 1; n <= 9999; ++n) WriteBytes("DATA/英語/Q/" + std::to_string(n) + ".txt", "q\r\nq");
    MessageBoxHook boxes;
    Click(IDC_LATIN_Q);
    Fill("one more", "q");
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].caption, "確認メッセージ");
    EXPECT_EQ(boxes.calls()[1].text,
              "御免なさい。\n索引カテゴリ： Q\nには、これ以上登録できません。\n他の単語を削除して登録して下さい。");
    EXPECT_EQ(ListNames("DATA/英語/Q").size(), 9999u);
    EXPECT_EQ(Text(IDC_WORDNAME), "one more");
}

// While the box is open the dialog stays usable: what is stored is still
// exactly what the box showed.
TEST_F(Regist, TheBoxStoresWhatItShowedWhateverHappensMeanwhile) {
    Click(IDC_KANA_KI);
    Fill("first", "shown");
    int depth = 0;
    MessageBoxHook boxes([&](const MessageBoxCall&) {
        if (++depth == 1) {
            // The user picks another category, retypes, and presses 決定 again.
            Click(IDC_LATIN_A);
            Fill("second", "typed meanwhile");
            Click(IDC_DECIDE);  // a second box, cancelled below
            return IDOK;
        }
        return IDCANCEL;
    });
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_NE(boxes.calls()[1].text.find("second"), std::string::npos);
    EXPECT_EQ(ReadBytes("DATA/日本語/か行/き/1.txt"), "first\r\nshown");
    EXPECT_TRUE(ListNames("DATA/英語/A").empty());
    EXPECT_EQ(g_RegistState.entry.nCategory, 51);  // the state itself follows the user
}

}  // namespace

namespace {

TEST_F(Regist, FieldsTakeOnlyWhatFits) {
    // Japanese arrives as input-method commits, one character at a time.
    for (int i = 0; i < 60; ++i) wordoria::testing::InjectInputMethodText(Item(IDC_WORDNAME), u8"あ");
    ASSERT_TRUE(Settle());  // each commit queues its notifications for the loop
    std::string typed = Text(IDC_WORDNAME);
    EXPECT_GT(typed.size(), 20u);
    EXPECT_LT(typed.size(), 120u);  // cut where the field is full
    EXPECT_EQ(typed.size() % 2, 0u);  // whole characters only

    for (int i = 0; i < 12; ++i) wordoria::testing::InjectTyping(Item(IDC_CONTENT), "line\n");
    ASSERT_TRUE(Settle());
    std::string lines = Text(IDC_CONTENT);
    size_t breaks = 0;
    for (size_t at = lines.find("\r\n"); at != std::string::npos; at = lines.find("\r\n", at + 2)) ++breaks;
    EXPECT_GE(breaks, 2u);
    EXPECT_LT(breaks, 6u);  // the lines the field shows, no more
}

}  // namespace
