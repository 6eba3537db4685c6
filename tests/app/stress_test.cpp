// What users' folders may hold: more files than the tables, long names, a
// file where a folder belongs, junk, folders and files that refuse access.
#include <delete_dialog.h>
#include <delete_list.h>
#include <resource.h>
#include <word_file.h>

#include "../support/permissions.h"
#include "../support/test_folder.h"
#include "app_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace wordoria::test;
using wordoria::testing::MessageBoxCall;
using wordoria::testing::MessageBoxHook;

class Stress : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        EnsureApplication();
        ASSERT_TRUE(StartAtRest(MODE_VIEW));
    }
};

TEST_F(Stress, MoreFilesThanTheTablesHoldFillThemAndNoMore) {
    const std::string folder = "DATA/英語/M";
    for (int n = 1; n <= 10003; ++n) WriteBytes(folder + "/" + std::to_string(n) + ".txt", "m\r\nm");
    g_App.m_main.m_sub_LoadLatin(2, 2);
    EXPECT_EQ(g_App.m_main.m_nEntryCount, PAGE_STORE_SIZE);
    EXPECT_EQ(g_App.m_main.m_nPage, 1);

    g_nDeleteCategory = 63;
    ListDeleteLatin();
    EXPECT_EQ(g_nDeleteCount, DELETE_TABLE_SIZE);
    EXPECT_EQ(g_aDeleteRecord[DELETE_TABLE_SIZE - 1].bLoaded, 1);
}

TEST_F(Stress, LongNamesAreReadInTheViewAndLeftOutOfTheDeletionList) {
    const std::string folder = "DATA/英語/L";
    std::string longest(255, 'n');
    WriteBytes(folder + "/" + longest, "long\r\nname");
    WriteBytes(folder + "/1.txt", "short\r\nname");
    g_App.m_main.m_sub_LoadLatin(2, 1);
    EXPECT_EQ(g_App.m_main.m_nEntryCount, 2);

    g_nDeleteCategory = 62;
    ListDeleteLatin();
    ASSERT_EQ(g_nDeleteCount, 1);
    EXPECT_STREQ(g_aDeleteRecord[0].szName, "short");
}

TEST_F(Stress, AFileWhereACategoryFolderBelongs) {
    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/K"));
    WriteBytes("DATA/英語/K", "not a folder");
    g_App.m_main.m_sub_LoadLatin(2, 0);
    EXPECT_EQ(g_App.m_main.m_nEntryCount, 0);

    MessageBoxHook boxes;
    WordEntry entry{};
    entry.nCategory = 61;
    std::strcpy(entry.szName, "kite");
    std::strcpy(entry.szContent, "sky");
    EXPECT_EQ(WriteWordLatin(&entry), WRITE_FAILED);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_NE(boxes.calls()[0].text.find("単語を登録できませんでした。"), std::string::npos);
    EXPECT_EQ(ReadBytes("DATA/英語/K"), "not a folder");
}

TEST_F(Stress, JunkBytesReadAsTextWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 131 + 7) % 256));
    WriteBytes("DATA/英語/J/junk.bin", junk);
    g_App.m_main.m_sub_LoadLatin(1, 4);
    ASSERT_EQ(g_App.m_main.m_nEntryCount, 1);
    const EntryRecord& entry = g_App.m_main.m_aEntry[0];
    EXPECT_LT(std::strlen(entry.szName), 80u);
    for (const auto& line : entry.szLine) EXPECT_LT(std::strlen(line), 85u);
}

using Names = std::vector<std::string>;

void Press(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    Turns(3);
}

void SwitchTo(int mode) {
    g_App.m_wnd.m_nRequestedMode = mode;
    Turns(4);
}

HWND DeleteDialog() { return g_App.m_main.m_hDlgDelete; }

Names ListedNames() { return ListBoxTexts(GetDlgItem(DeleteDialog(), IDC_WORDLIST)); }

void Select(int position) { SendMessageA(GetDlgItem(DeleteDialog(), IDC_WORDLIST), LB_SETCURSEL, position, 0); }

// A failure notice: no owner, caption 確認メッセージ, an OK button, this text.
void ExpectNotice(const MessageBoxCall& call, const std::string& text) {
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.caption, "確認メッセージ");
    EXPECT_EQ(call.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(call.text, text);
}

// Root passes over mode bits; the guard makes them bind here as for any user.
TEST_F(Stress, AReadOnlyCategoryFolderKeepsExactlyWhatItHolds) {
    const std::string folder = "DATA/英語/R";
    WriteBytes(folder + "/1.txt", "kept\r\nc");
    ScopedMode readOnly(u8"DATA/英語/R", 0555);
    PermissionsBindRoot bind;

    SwitchTo(MODE_REGIST);
    HWND regist = g_App.m_main.m_hDlgRegist;
    {
        MessageBoxHook boxes;
        Press(regist, IDC_LATIN_R);
        SetDlgItemTextA(regist, IDC_WORDNAME, "rose");
        SetDlgItemTextA(regist, IDC_CONTENT, "flower");
        Press(regist, IDC_DECIDE);
        ASSERT_EQ(boxes.calls().size(), 2u);  // the confirmation, then the failure
        ExpectNotice(boxes.calls()[1], "単語を登録できませんでした。\n索引カテゴリ： R\nのフォルダーに書き込めません。\n"
                     "DATAフォルダーと空き容量を確認して下さい。");
    }
    EXPECT_EQ(ListNames(folder), Names{"1.txt"});
    EXPECT_EQ(ReadBytes(folder + "/1.txt"), "kept\r\nc");

    SwitchTo(MODE_DELETE);
    Press(DeleteDialog(), IDC_LATIN_R);
    ASSERT_EQ(ListedNames(), Names{"kept"});
    Select(0);
    {
        MessageBoxHook boxes;
        Press(DeleteDialog(), IDC_DECIDE);
        EXPECT_EQ(boxes.calls().size(), 1u);  // the confirmation; a failed removal says nothing
    }
    EXPECT_EQ(ListNames(folder), Names{"1.txt"});
    EXPECT_EQ(ReadBytes(folder + "/1.txt"), "kept\r\nc");
    EXPECT_EQ(ListedNames(), Names{"kept"});  // read again, and still there
    SwitchTo(MODE_VIEW);
}

// A name on disk that Win32 cannot name: with a backslash (a separator to
// Win32, so sub\b.txt would read sub/b.txt), or with characters that have
// no Shift-JIS form (café😀.txt would come back as caf??.txt, another file).
// Neither is listed, so no read or removal reaches another file.
TEST_F(Stress, NamesWin32CannotNameAreLeftOutOfViewAndDeletionList) {
    const std::string folder = "DATA/英語/W";
    WriteBytes(folder + "/1.txt", "one\r\nfirst");
    WriteBytes(folder + "/caf??.txt", "question\r\nmarks");
    MakeFolder(folder + "/sub");
    WriteBytes(folder + "/sub/b.txt", "inner\r\nfile");
    for (const char* name : {u8"DATA/英語/W/sub\\b.txt", u8"DATA/英語/W/caf\u00E9\U0001F600.txt"}) {
        FILE* file = std::fopen(name, "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("hidden\r\nentry", file);
        std::fclose(file);
    }

    g_App.m_main.m_sub_LoadLatin(4, 2);
    ASSERT_EQ(g_App.m_main.m_nEntryCount, 2);
    EXPECT_STREQ(g_App.m_main.m_aEntry[0].szName, "one");
    EXPECT_STREQ(g_App.m_main.m_aEntry[1].szName, "question");

    SwitchTo(MODE_DELETE);
    Press(DeleteDialog(), IDC_LATIN_W);
    ASSERT_EQ(ListedNames(), (Names{"one", "question"}));
    EXPECT_STREQ(g_aDeleteRecord[1].szPath, "DATA/英語/W/caf??.txt");
    MessageBoxHook boxes;
    Select(1);
    Press(DeleteDialog(), IDC_DECIDE);
    EXPECT_EQ(ListedNames(), Names{"one"});
    EXPECT_FALSE(Exists(folder + "/caf??.txt"));
    EXPECT_EQ(ReadBytes(folder + "/sub/b.txt"), "inner\r\nfile");
    for (const char* name : {u8"DATA/英語/W/sub\\b.txt", u8"DATA/英語/W/caf\u00E9\U0001F600.txt"})
        EXPECT_EQ(access(name, F_OK), 0) << name;
    SwitchTo(MODE_VIEW);
}

// A file nobody may read, and a link standing for a file removed between
// the listing and the reading: each is an entry with an empty name.
TEST_F(Stress, UnreadableAndVanishedFilesKeepListAndRecordsInStep) {
    const std::string folder = "DATA/英語/U";
    WriteBytes(folder + "/1.txt", "one\r\nfirst");
    WriteBytes(folder + "/2.txt", "secret\r\nhidden");
    ASSERT_EQ(symlink("gone.txt", u8"DATA/英語/U/3.txt"), 0);
    ScopedMode unreadable(u8"DATA/英語/U/2.txt", 0000);
    PermissionsBindRoot bind;

    g_App.m_main.m_sub_LoadLatin(4, 0);
    ASSERT_EQ(g_App.m_main.m_nEntryCount, 3);
    EXPECT_EQ(g_App.m_main.m_nPage, 1);
    Names viewed;
    for (int i = 0; i < 3; ++i) {
        const EntryRecord& entry = g_App.m_main.m_aEntry[i];
        EXPECT_EQ(entry.bLoaded, 1);
        viewed.push_back(std::string(entry.szName) + "|" + entry.szLine[0] + "|" + entry.szLine[1]);
    }
    std::sort(viewed.begin(), viewed.end());
    EXPECT_EQ(viewed, (Names{"one|first|", "||", "||"}));

    SwitchTo(MODE_DELETE);
    Press(DeleteDialog(), IDC_LATIN_U);
    ASSERT_EQ(g_nDeleteCount, 3);
    Names listed = ListedNames();
    ASSERT_EQ(listed.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g_aDeleteRecord[i].bLoaded, 1);
        EXPECT_EQ(listed[i], g_aDeleteRecord[i].szName);  // list position i is record i
    }
    ASSERT_GE(DeletePositionOf(folder + "/1.txt"), 0);
    EXPECT_STREQ(g_aDeleteRecord[DeletePositionOf(folder + "/1.txt")].szName, "one");
    for (const char* name : {"/2.txt", "/3.txt"}) {
        int position = DeletePositionOf(folder + name);
        ASSERT_GE(position, 0) << name;
        EXPECT_STREQ(g_aDeleteRecord[position].szName, "");
        EXPECT_STREQ(g_aDeleteRecord[position].szLine[0], "");
    }

    // Either can be deleted like any entry: the confirmation and nothing more.
    MessageBoxHook boxes;
    size_t shown = 0;
    for (const char* name : {"/2.txt", "/3.txt"}) {
        Select(DeletePositionOf(folder + name));
        Press(DeleteDialog(), IDC_DECIDE);
        ASSERT_EQ(boxes.calls().size(), ++shown) << name;
        EXPECT_NE(boxes.calls().back().text.find("ファイル名　　　： " + folder + name + "\n"), std::string::npos);
    }
    EXPECT_EQ(ListNames(folder), Names{"1.txt"});
    EXPECT_EQ(ListedNames(), Names{"one"});
    SwitchTo(MODE_VIEW);
}

}  // namespace
