#include <categories.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string FolderOf(int number) {
    char folder[CATEGORY_FOLDER_SIZE];
    return GetCategoryFolder(number, folder, sizeof folder) ? folder : "<none>";
}

TEST(Categories, TableHoldsEveryCategoryOnceWithItsNumberingRule) {
    const IndexCategory* table = GetCategoryTable();
    std::set<int> numbers, buttons;
    int kana = 0, latin = 0, symbol = 0;
    for (int i = 0; i < CATEGORY_COUNT; ++i) {
        const IndexCategory& c = table[i];
        numbers.insert(c.nNumber);
        buttons.insert(c.nButtonId);
        EXPECT_EQ(FindCategory(c.nNumber), &c);
        EXPECT_EQ(GetCategoryOfButton(c.nButtonId), c.nNumber);
        switch (c.nGroup) {
        case GROUP_KANA:
            ++kana;
            EXPECT_EQ(c.nNumber, 5 * c.nGridRow + c.nGridColumn + 1) << c.pszDisplay;
            EXPECT_EQ(GetKanaCategory(c.nGridRow, c.nGridColumn), c.nNumber);
            EXPECT_EQ(FolderOf(c.nNumber), std::string("DATA/日本語/") + c.pszRow + "/" + c.pszDisplay);
            break;
        case GROUP_LATIN:
            ++latin;
            EXPECT_EQ(c.nNumber, 51 + 5 * c.nGridRow + c.nGridColumn);
            EXPECT_EQ(std::string(c.pszDisplay), std::string(1, char('A' + c.nNumber - 51)));
            EXPECT_EQ(GetLatinCategory(c.nGridRow, c.nGridColumn), c.nNumber);
            break;
        case GROUP_SYMBOL: ++symbol; break;
        default: ADD_FAILURE() << "category " << c.nNumber << " has no group";
        }
    }
    EXPECT_EQ(numbers.size(), 73u);
    EXPECT_EQ(buttons.size(), 73u);
    EXPECT_EQ(kana, 46);
    EXPECT_EQ(latin, 26);
    EXPECT_EQ(symbol, 1);
}

TEST(Categories, IrregularCellsAndButtons) {
    EXPECT_EQ(GetCategoryOfButton(1009), 40);  // よ
    EXPECT_STREQ(GetCategoryDisplay(40), "よ");
    EXPECT_EQ(FolderOf(40), "DATA/日本語/や行/よ");
    EXPECT_EQ(GetCategoryOfButton(1045), 38);
    EXPECT_EQ(FolderOf(38), "DATA/日本語/や行/ゆ");
    EXPECT_EQ(GetKanaCategory(7, 4), 40);
    EXPECT_EQ(GetKanaCategory(9, 2), 48);  // ん
    EXPECT_EQ(FolderOf(48), "DATA/日本語/わ行/ん");

    EXPECT_EQ(GetCategoryOfButton(1108), 76);
    EXPECT_EQ(FolderOf(76), "DATA/英語/Z");
    EXPECT_EQ(GetLatinCategory(5, 0), 76);
    EXPECT_EQ(GetCategoryOfButton(1109), 81);
    EXPECT_EQ(FolderOf(81), "DATA/記号");
    EXPECT_STREQ(GetCategoryDisplay(81), "記号");

    char folder[CATEGORY_FOLDER_SIZE];
    ASSERT_TRUE(GetKanaFolder(1, 1, folder, sizeof folder));
    EXPECT_STREQ(folder, "DATA/日本語/か行/き");
    ASSERT_TRUE(GetLatinFolder(3, 1, folder, sizeof folder));
    EXPECT_STREQ(folder, "DATA/英語/Q");
    ASSERT_TRUE(GetSymbolFolder(folder, sizeof folder));
    EXPECT_STREQ(folder, "DATA/記号");
}

TEST(Categories, NumbersAndCellsOutsideTheTableGiveNothing) {
    for (int number : {0, -1, 37, 39, 49, 50, 77, 78, 79, 80, 82, 10000}) {
        EXPECT_EQ(FindCategory(number), nullptr) << number;
        EXPECT_EQ(GetCategoryGroup(number), GROUP_NONE) << number;
        EXPECT_EQ(GetCategoryDisplay(number), nullptr) << number;
        char folder[CATEGORY_FOLDER_SIZE] = "x";
        EXPECT_FALSE(GetCategoryFolder(number, folder, sizeof folder)) << number;
    }
    EXPECT_EQ(GetKanaCategory(7, 1), 0);
    EXPECT_EQ(GetKanaCategory(7, 3), 0);
    EXPECT_EQ(GetKanaCategory(9, 3), 0);
    EXPECT_EQ(GetKanaCategory(10, 0), 0);
    EXPECT_EQ(GetKanaCategory(-1, 0), 0);
    EXPECT_EQ(GetLatinCategory(5, 1), 0);
    EXPECT_EQ(GetLatinCategory(6, 0), 0);
    char folder[CATEGORY_FOLDER_SIZE];
    EXPECT_FALSE(GetKanaFolder(7, 1, folder, sizeof folder));
    EXPECT_EQ(GetCategoryOfButton(1003), 0);  // the content field
    EXPECT_EQ(GetCategoryOfButton(1044), 0);
    EXPECT_EQ(GetCategoryOfButton(1000), 0);
}

TEST(Categories, FolderNeverOverrunsASmallBuffer) {
    char folder[8];
    EXPECT_FALSE(GetCategoryFolder(7, folder, sizeof folder));
    EXPECT_STREQ(folder, "");
}

TEST(Categories, ButtonIdsInTemplateOrder) {
    const int* ids = GetCategoryButtonIds();
    EXPECT_EQ(ids[0], 1002);
    EXPECT_EQ(ids[1], 1004);
    EXPECT_EQ(ids[35], 1043);
    EXPECT_EQ(ids[36], 1045);
    EXPECT_EQ(ids[37], 1009);
    EXPECT_EQ(ids[46], 1083);
    EXPECT_EQ(ids[72], 1109);
}

}  // namespace
