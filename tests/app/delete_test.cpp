// The deletion dialog and its word list through the real controls.
#include <delete_dialog.h>
#include <delete_list.h>
#include <regist_dialog.h>
#include <resource.h>

#include "../support/test_folder.h"
#include "app_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace wordoria::test;
using wordoria::testing::MessageBoxCall;
using wordoria::testing::MessageBoxHook;

class Delete : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        EnsureApplication();
        ASSERT_TRUE(StartAtRest(MODE_DELETE));
        g_nDeleteCategory = 0;
        g_nDeleteCount = 0;
        const int* ids = GetCategoryButtonIds();
        for (int i = 0; i < CATEGORY_COUNT; ++i) SendMessageA(Item(ids[i]), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(Item(IDC_WORDLIST), LB_RESETCONTENT, 0, 0);
    }
    static HWND Dialog() { return g_App.m_main.m_hDlgDelete; }
    static HWND Item(int id) { return GetDlgItem(Dialog(), id); }
    static void Click(int id) {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        Turns(3);
    }
    static void Select(int position) { SendMessageA(Item(IDC_WORDLIST), LB_SETCURSEL, position, 0); }
    static int Selected() { return static_cast<int>(SendMessageA(Item(IDC_WORDLIST), LB_GETCURSEL, 0, 0)); }
    static bool Checked(int id) { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static std::vector<std::string> Names() { return ListBoxTexts(Item(IDC_WORDLIST)); }
    static void Word(const std::string& path, const std::string& name, const std::string& content = "c") {
        WriteBytes(path, name + "\r\n" + content);
    }
};

TEST_F(Delete, MessagesForWhatIsMissing) {
    MessageBoxHook boxes;
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, "お知らせ");
    EXPECT_EQ(boxes.calls()[0].text, "索引カテゴリが選択されていません。\n索引カテゴリーを選択して下さい。");
    EXPECT_EQ(boxes.calls()[0].owner, nullptr);

    Click(IDC_KANA_KA);  // an empty folder
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[1].caption, "確認メッセージ");
    EXPECT_EQ(boxes.calls()[1].text, "下記の索引カテゴリには単語は登録されていません。\n\n索引カテゴリ： か\n\n");
    EXPECT_EQ(boxes.calls()[1].type, static_cast<UINT>(MB_OK));

    Word("DATA/日本語/か行/き/1.txt", "one");
    Click(IDC_KANA_KI);
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 3u);
    EXPECT_EQ(boxes.calls()[2].caption, "お知らせ");
    EXPECT_EQ(boxes.calls()[2].text, "単語名が選択されていません。\n単語名を選択して下さい。");
}

TEST_F(Delete, ConfirmedDeletionRemovesExactlyTheShownFile) {
    Word("DATA/日本語/か行/き/1.txt", "first");
    Word("DATA/日本語/か行/き/2.txt", "second");
    Word("DATA/日本語/か行/き/3.txt", "third", "l1\r\r\nl2\r\r\nl3");
    Click(IDC_KANA_KI);
    ASSERT_EQ(Names().size(), 3u);
    int position = DeletePositionOf("DATA/日本語/か行/き/3.txt");
    ASSERT_GE(position, 0);
    EXPECT_EQ(Names()[position], "third");
    Select(position);
    MessageBoxHook boxes;
    Click(IDC_DECIDE);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].type, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(boxes.calls()[0].text,
              "下記の単語名を削除します。\n\n索引カテゴリ： き\n\n単語名　　　： third\n\n内容　　　： l1\nl2\nl3\n\n\n\n"
              "ファイル名　　　： DATA/日本語/か行/き/3.txt\n\n宜しいですか？");
    EXPECT_EQ(ListNames("DATA/日本語/か行/き"), (std::vector<std::string>{"1.txt", "2.txt"}));
    EXPECT_EQ(Names().size(), 2u);
    EXPECT_EQ(Selected(), LB_ERR);
    EXPECT_TRUE(Checked(IDC_KANA_KI));
    EXPECT_EQ(g_nDeleteCategory, 7);
}

TEST_F(Delete, CancelRemovesNothingAndKeepsTheSelection) {
    Word("DATA/英語/Q/12.txt", "query");
    Click(IDC_LATIN_Q);
    Select(0);
    MessageBoxHook boxes([](const MessageBoxCall&) { return IDCANCEL; });
    Click(IDC_DECIDE);
    EXPECT_NE(boxes.calls().at(0).text.find("ファイル名　　　： DATA/英語/Q/12.txt\n"), std::string::npos);
    EXPECT_EQ(ListNames("DATA/英語/Q"), (std::vector<std::string>{"12.txt"}));
    EXPECT_EQ(Selected(), 0);
}

TEST_F(Delete, RadioGroupsAndTheirFolders) {
    Word("DATA/日本語/あ行/あ/1.txt", "a-word");
    Word("DATA/日本語/あ行/い/1.txt", "i-word");
    Word("DATA/日本語/や行/よ/1.txt", "yo-word");
    Word("DATA/英語/Z/1.txt", "z-word");
    Word("DATA/記号/1.txt", "symbol");
    const int* ids = GetCategoryButtonIds();
    for (int i = 0; i < CATEGORY_COUNT; ++i) SendMessageA(Item(ids[i]), BM_SETCHECK, BST_CHECKED, 0);
    Click(IDC_KANA_A);
    for (int i = 0; i < CATEGORY_COUNT; ++i) EXPECT_EQ(Checked(ids[i]), ids[i] == IDC_KANA_A) << ids[i];
    Click(IDC_KANA_I);
    EXPECT_FALSE(Checked(IDC_KANA_A));
    EXPECT_TRUE(Checked(IDC_KANA_I));
    EXPECT_EQ(g_nDeleteCategory, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"i-word"}));
    Click(IDC_KANA_A);
    EXPECT_TRUE(Checked(IDC_KANA_A));
    EXPECT_FALSE(Checked(IDC_KANA_I));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a-word"}));
    Click(IDC_KANA_YO);
    EXPECT_EQ(g_nDeleteCategory, 40);
    EXPECT_EQ(Names(), (std::vector<std::string>{"yo-word"}));
    Click(IDC_LATIN_Z);
    EXPECT_EQ(Names(), (std::vector<std::string>{"z-word"}));
    Click(IDC_SYMBOL);
    EXPECT_EQ(g_nDeleteCategory, 81);
    EXPECT_EQ(Names(), (std::vector<std::string>{"symbol"}));
    EXPECT_STREQ(g_aDeleteRecord[0].szPath, "DATA/記号/1.txt");
}

TEST_F(Delete, TheListFollowsTheFolderOnlyWhenAskedAgain) {
    Word("DATA/英語/B/1.txt", "only");
    Click(IDC_LATIN_B);
    EXPECT_EQ(Names(), (std::vector<std::string>{"only"}));

    // Another program adds a file: it shows after clicking the checked button again.
    Word("DATA/英語/B/7.txt", "added");
    EXPECT_EQ(Names().size(), 1u);
    Click(IDC_LATIN_B);
    EXPECT_EQ(Names().size(), 2u);

    // A word registered meanwhile shows only after the next category click.
    g_App.m_wnd.m_nRequestedMode = MODE_REGIST;
    Turns(4);
    {
        MessageBoxHook boxes;
        HWND regist = g_App.m_main.m_hDlgRegist;
        PostMessageA(GetDlgItem(regist, IDC_LATIN_B), BM_CLICK, 0, 0);
        Turns(3);
        SetDlgItemTextA(regist, IDC_WORDNAME, "registered");
        SetDlgItemTextA(regist, IDC_CONTENT, "meanwhile");
        PostMessageA(GetDlgItem(regist, IDC_DECIDE), BM_CLICK, 0, 0);
        Turns(3);
    }
    g_App.m_wnd.m_nRequestedMode = MODE_DELETE;
    Turns(4);
    EXPECT_EQ(Names().size(), 2u);
    Click(IDC_LATIN_B);
    EXPECT_EQ(Names().size(), 3u);

    // Removing entries one by one down to none, then the empty-category message.
    MessageBoxHook boxes;
    for (int left = 3; left > 0; --left) {
        Select(0);
        Click(IDC_DECIDE);
        EXPECT_EQ(static_cast<int>(Names().size()), left - 1);
    }
    EXPECT_TRUE(ListNames("DATA/英語/B").empty());
    Click(IDC_DECIDE);
    EXPECT_EQ(boxes.calls().back().text, "下記の索引カテゴリには単語は登録されていません。\n\n索引カテゴリ： B\n\n");
}

TEST_F(Delete, ListingKeepsRecordsInStepWithTheList) {
    for (int n = 1; n <= 5; ++n) Word("DATA/英語/C/" + std::to_string(n) + ".txt", "w" + std::to_string(n));
    Click(IDC_LATIN_C);
    EXPECT_EQ(g_nDeleteCount, 5);
    for (int n = 3; n <= 5; ++n) ASSERT_TRUE(DeleteFileA(("DATA/英語/C/" + std::to_string(n) + ".txt").c_str()));
    Click(IDC_LATIN_C);
    EXPECT_EQ(g_nDeleteCount, 2);

    MakeFolder("DATA/英語/D/sub");
    Word("DATA/英語/D/notes.txt", "notes");
    Word("DATA/英語/D/" + std::string(150, 'x'), "long name");  // its path does not fit a record
    WriteBytes("DATA/英語/D/empty", "");
    Click(IDC_LATIN_D);
    ASSERT_EQ(g_nDeleteCount, 2);
    std::vector<std::string> names = Names();
    for (int i = 0; i < g_nDeleteCount; ++i) {
        EXPECT_EQ(g_aDeleteRecord[i].bLoaded, 1);
        EXPECT_EQ(names[i], g_aDeleteRecord[i].szName);  // list position i is record i
    }
    EXPECT_GE(DeletePositionOf("DATA/英語/D/notes.txt"), 0);
    EXPECT_GE(DeletePositionOf("DATA/英語/D/empty"), 0);

    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/E"));
    Click(IDC_LATIN_E);  // a missing folder lists nothing
    EXPECT_EQ(g_nDeleteCount, 0);
    EXPECT_TRUE(Names().empty());
}

// Another program may remove the file while the box is open: what the user
// asked for is done, so nothing more is said, and the list follows the folder.
TEST_F(Delete, AFileGoneBeforeTheRemovalCountsAsRemoved) {
    Word("DATA/英語/H/1.txt", "first");
    Word("DATA/英語/H/2.txt", "second");
    Click(IDC_LATIN_H);
    Select(DeletePositionOf("DATA/英語/H/2.txt"));
    MessageBoxHook boxes([](const MessageBoxCall&) {
        EXPECT_TRUE(DeleteFileA("DATA/英語/H/2.txt"));
        return IDOK;
    });
    Click(IDC_DECIDE);
    EXPECT_EQ(boxes.calls().size(), 1u);  // the confirmation alone
    EXPECT_EQ(ListNames("DATA/英語/H"), (std::vector<std::string>{"1.txt"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"first"}));
    EXPECT_EQ(Selected(), LB_ERR);
}

// While the box is open the dialog stays usable: the file removed is the one
// the box showed, never the one a new listing put at that position.
TEST_F(Delete, TheBoxRemovesWhatItShowedWhateverHappensMeanwhile) {
    Word("DATA/英語/F/1.txt", "shown");
    Word("DATA/英語/G/1.txt", "other");
    Click(IDC_LATIN_F);
    Select(0);
    int depth = 0;
    MessageBoxHook boxes([&](const MessageBoxCall&) {
        if (++depth == 1) {
            Click(IDC_LATIN_G);  // a new listing: record 0 is now G's file
            Select(0);
            Click(IDC_DECIDE);  // a second box, cancelled
            return IDOK;
        }
        return IDCANCEL;
    });
    Click(IDC_DECIDE);
    EXPECT_EQ(boxes.calls().size(), 2u);
    EXPECT_TRUE(ListNames("DATA/英語/F").empty());
    EXPECT_EQ(ListNames("DATA/英語/G"), (std::vector<std::string>{"1.txt"}));
}

// Another program removes the shown word's file while the box is open and a
// new word takes the freed number: the OK must not remove the new word.
TEST_F(Delete, AFileReplacedWhileTheBoxIsOpenIsNotRemoved) {
    Word("DATA/英語/J/1.txt", "shown", "old line");
    Word("DATA/英語/J/2.txt", "other");
    Click(IDC_LATIN_J);
    Select(DeletePositionOf("DATA/英語/J/1.txt"));
    MessageBoxHook replaced([](const MessageBoxCall&) {
        EXPECT_TRUE(DeleteFileA("DATA/英語/J/1.txt"));
        Word("DATA/英語/J/1.txt", "newcomer", "never shown");
        return IDOK;
    });
    Click(IDC_DECIDE);
    EXPECT_EQ(replaced.calls().size(), 1u);  // no message: the list says what is there
    EXPECT_EQ(ReadBytes("DATA/英語/J/1.txt"), "newcomer\r\nnever shown");
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"newcomer", "other"}));
    EXPECT_EQ(Selected(), LB_ERR);

    // The same word at the same path is the one shown: it goes.
    Select(DeletePositionOf("DATA/英語/J/1.txt"));
    MessageBoxHook confirmed;
    Click(IDC_DECIDE);
    EXPECT_EQ(ListNames("DATA/英語/J"), (std::vector<std::string>{"2.txt"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"other"}));
}

}  // namespace
