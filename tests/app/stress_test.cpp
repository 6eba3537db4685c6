// What users' folders may hold: more files than the tables, long names, a
// file where a folder belongs, and two programs registering at once.
#include <delete_dialog.h>
#include <delete_list.h>
#include <resource.h>
#include <word_file.h>

#include "../support/test_folder.h"
#include "app_fixture.h"

#include <cstring>
#include <string>

namespace {

using namespace wordoria::test;
using wordoria::testing::MessageBoxHook;

class Stress : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        EnsureApplication();
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

}  // namespace
