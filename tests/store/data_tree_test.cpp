#include <data_tree.h>
#include <categories.h>
#include <windows.h>

#include "../support/test_folder.h"

namespace {

using namespace wordoria::test;

class DataTree : public TestFolder {};

TEST_F(DataTree, MakesEveryCategoryFolderAndKeepsWhatIsThere) {
    // The fixture has made the tree once already; words in it must survive a second run.
    WriteBytes("DATA/記号/1.txt", "keep\r\nme");
    ASSERT_TRUE(MakeDataTree());
    EXPECT_EQ(ReadBytes("DATA/記号/1.txt"), "keep\r\nme");

    const IndexCategory* table = GetCategoryTable();
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        char folder[CATEGORY_FOLDER_SIZE];
        ASSERT_TRUE(GetCategoryFolder(table[i].nNumber, folder, sizeof folder));
        EXPECT_TRUE(IsFolder(folder)) << table[i].nNumber;
    }
    EXPECT_EQ(ListNames("DATA").size(), 3u);
    EXPECT_EQ(ListNames("DATA/日本語").size(), 10u);
    EXPECT_EQ(ListNames("DATA/英語").size(), 26u);
    EXPECT_EQ(ListNames("DATA/日本語/や行"), (std::vector<std::string>{"や", "ゆ", "よ"}));
}

TEST_F(DataTree, FailsWhenAFolderCannotBeMade) {
    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/B"));
    WriteBytes("DATA/英語/B", "a file in the way");
    EXPECT_FALSE(MakeDataTree());
}

}  // namespace
