// The program's compiled resources, read as Windows reads them: every control
// of both templates and the menu, against the values the program was designed with.
#include "dialogs/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace wordoria::platform;

// Win32 values, written out here rather than taken from the reader's own list.
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsVScroll = 0x00200000;
constexpr uint32_t kWsHScroll = 0x00100000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kWsExStaticEdge = 0x00020000;
constexpr uint32_t kDsSetFont = 0x0040;
constexpr uint32_t kBsPushButton = 0x0000;
constexpr uint32_t kBsDefPushButton = 0x0001;
constexpr uint32_t kBsGroupBox = 0x0007;
constexpr uint32_t kBsAutoRadioButton = 0x0009;
constexpr uint32_t kBsTypeMask = 0x000F;
constexpr uint32_t kEsLeft = 0x0000;
constexpr uint32_t kEsMultiline = 0x0004;
constexpr uint32_t kEsAutoVScroll = 0x0040;
constexpr uint32_t kEsAutoHScroll = 0x0080;
constexpr uint32_t kEsWantReturn = 0x1000;
constexpr uint32_t kSsLeft = 0x0000;
constexpr uint32_t kSsCenter = 0x0001;
constexpr uint32_t kSsCenterImage = 0x0200;
constexpr uint32_t kLbsNotify = 0x0001;
constexpr uint32_t kLbsSort = 0x0002;
constexpr uint32_t kLbsMultipleSel = 0x0008;
constexpr uint32_t kLbsNoIntegralHeight = 0x0100;
constexpr uint32_t kLbsExtendedSel = 0x0800;

constexpr uint32_t kChildVisible = kWsChild | kWsVisible;
constexpr uint32_t kStaticText = kChildVisible | kSsLeft | kWsGroup;

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    int x, y, cx, cy;
    uint32_t style;
    uint32_t exStyle;
};

void ExpectControl(const DialogResource& dialog, size_t index, const ExpectedControl& expected) {
    SCOPED_TRACE("dialog " + std::to_string(dialog.id) + ", control " + std::to_string(index));
    ASSERT_LT(index, dialog.controls.size());
    const ControlTemplate& control = dialog.controls[index];
    EXPECT_EQ(control.id, expected.id);
    EXPECT_EQ(control.className, expected.className);
    EXPECT_EQ(control.text, expected.text);
    EXPECT_EQ(control.x, expected.x);
    EXPECT_EQ(control.y, expected.y);
    EXPECT_EQ(control.cx, expected.cx);
    EXPECT_EQ(control.cy, expected.cy);
    EXPECT_EQ(control.style, expected.style) << std::hex << control.style << " != " << expected.style;
    EXPECT_EQ(control.exStyle, expected.exStyle);
}

// The 73 category buttons in template order, with their places; the same in
// both dialogs.
struct CategoryButton {
    int id;
    const char* text;
    int x, y;
};

const CategoryButton kCategoryButtons[] = {
    {1002, u8"あ", 13, 45}, {1004, u8"い", 39, 45}, {1005, u8"う", 66, 45}, {1006, u8"え", 92, 45}, {1007, u8"お", 117, 45},
    {1013, u8"か", 13, 62}, {1014, u8"き", 39, 62}, {1015, u8"く", 66, 62}, {1016, u8"け", 92, 62}, {1017, u8"こ", 117, 62},
    {1018, u8"さ", 13, 79}, {1019, u8"し", 39, 79}, {1020, u8"す", 66, 79}, {1021, u8"せ", 92, 79}, {1022, u8"そ", 117, 79},
    {1023, u8"た", 13, 97}, {1024, u8"ち", 39, 97}, {1025, u8"つ", 66, 97}, {1026, u8"て", 92, 97}, {1027, u8"と", 117, 97},
    {1028, u8"な", 13, 114}, {1029, u8"に", 39, 114}, {1030, u8"ぬ", 66, 114}, {1031, u8"ね", 92, 114}, {1032, u8"の", 117, 114},
    {1033, u8"は", 182, 46}, {1034, u8"ひ", 208, 46}, {1035, u8"ふ", 235, 46}, {1036, u8"へ", 261, 46}, {1037, u8"ほ", 286, 46},
    {1038, u8"ま", 182, 62}, {1039, u8"み", 208, 62}, {1040, u8"む", 235, 62}, {1041, u8"め", 261, 62}, {1042, u8"も", 286, 62},
    {1043, u8"や", 182, 80}, {1045, u8"ゆ", 235, 80}, {1009, u8"よ", 286, 80},
    {1048, u8"ら", 182, 98}, {1049, u8"り", 209, 98}, {1050, u8"る", 236, 98}, {1051, u8"れ", 262, 98}, {1052, u8"ろ", 287, 98},
    {1053, u8"わ", 182, 114}, {1054, u8"を", 208, 114}, {1055, u8"ん", 235, 114},
    {1083, "A", 13, 152}, {1084, "B", 39, 152}, {1085, "C", 66, 152}, {1086, "D", 92, 152}, {1087, "E", 117, 152},
    {1088, "F", 13, 168}, {1089, "G", 39, 168}, {1090, "H", 66, 168}, {1091, "I", 92, 168}, {1092, "J", 117, 168},
    {1093, "K", 13, 186}, {1094, "L", 39, 186}, {1095, "M", 66, 186}, {1096, "N", 92, 186}, {1097, "O", 117, 186},
    {1098, "P", 182, 152}, {1099, "Q", 208, 152}, {1100, "R", 235, 152}, {1101, "S", 261, 152}, {1102, "T", 286, 152},
    {1103, "U", 182, 168}, {1104, "V", 208, 168}, {1105, "W", 235, 168}, {1106, "X", 261, 168}, {1107, "Y", 286, 168},
    {1108, "Z", 182, 186},
    {1109, u8"記号", 13, 216},
};

// あ stands at `indexOfA`; い to 記号 follow one another from `indexOfI`.
void ExpectCategoryButtons(const DialogResource& dialog, size_t indexOfA, size_t indexOfI, bool aStartsGroup) {
    ASSERT_EQ(std::size(kCategoryButtons), 73u);
    ExpectControl(dialog, indexOfA, {1002, "BUTTON", u8"あ", 13, 45, 19, 8,
                                     kChildVisible | kBsAutoRadioButton | (aStartsGroup ? kWsGroup : 0), 0});
    for (size_t i = 1; i < std::size(kCategoryButtons); ++i) {
        const CategoryButton& button = kCategoryButtons[i];
        int cx = button.id == 1109 ? 30 : 19;
        // No group start and no tab stop: い to 記号 are one radio group.
        ExpectControl(dialog, indexOfI + i - 1,
                      {button.id, "BUTTON", button.text, button.x, button.y, cx, 8, kChildVisible | kBsAutoRadioButton, 0});
    }
}

std::vector<int> RadioButtonIds(const DialogResource& dialog) {
    std::vector<int> ids;
    for (const ControlTemplate& control : dialog.controls) {
        if (control.className == "BUTTON" && (control.style & kBsTypeMask) == kBsAutoRadioButton) ids.push_back(control.id);
    }
    return ids;
}

void ExpectModeDialogFrame(const DialogResource& dialog) {
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, 475);
    EXPECT_EQ(dialog.cy, 425);
    // A hidden child without caption or border: the mode switch shows it.
    EXPECT_EQ(dialog.style, kWsChild | kDsSetFont);
    EXPECT_EQ(dialog.style & kWsVisible, 0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.caption, "");
    EXPECT_EQ(dialog.fontFace, u8"MS UI Gothic");
    EXPECT_EQ(dialog.pointSize, 9);
    EXPECT_EQ(dialog.weight, 400);
    EXPECT_FALSE(dialog.italic);
    EXPECT_EQ(dialog.charset, 128);
    for (const ControlTemplate& control : dialog.controls) {
        EXPECT_EQ(control.style & kChildVisible, kChildVisible) << "control " << control.id;
    }
}

// ---------------------------------------------------------------------------
// The program's resources

TEST(ProgramResources, ReadFromTheEmbeddedCompiledFile) {
    // The .res format opens with an empty entry (32 bytes, no data).
    std::string_view bytes = EmbeddedResources();
    ASSERT_GE(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 8), std::string_view("\0\0\0\0\x20\0\0\0", 8));

    const Resources& resources = ProgramResources();
    EXPECT_EQ(&resources, &ProgramResources());
    ASSERT_EQ(resources.menus.size(), 1u);
    ASSERT_EQ(resources.dialogs.size(), 2u);
    EXPECT_NE(resources.FindDialog(101), nullptr);
    EXPECT_NE(resources.FindDialog(104), nullptr);
    EXPECT_EQ(resources.FindDialog(109), nullptr);
    EXPECT_EQ(resources.FindMenu(101), nullptr);
}

TEST(ProgramResources, MainMenuHasTwoDropDownsAndThreeModeCommands) {
    const MenuResource* menu = ProgramResources().FindMenu(109);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 5u);

    const MenuEntry& file = menu->items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(file.text, u8"ファイル(&F)");
    EXPECT_EQ(file.id, 0);
    ASSERT_EQ(file.children.size(), 1u);
    EXPECT_EQ(file.children[0].text, u8"アプリケーションの終了(&X)");
    EXPECT_EQ(file.children[0].id, 105);
    EXPECT_FALSE(file.children[0].popup);

    const MenuEntry& help = menu->items[1];
    EXPECT_TRUE(help.popup);
    EXPECT_EQ(help.text, u8"ヘルプ(&H)");
    ASSERT_EQ(help.children.size(), 1u);
    EXPECT_EQ(help.children[0].text, u8"バージョン情報(&A)...");
    EXPECT_EQ(help.children[0].id, 104);

    const char* modeTexts[] = {u8"辞書モード", u8"辞書登録モード", u8"辞書削除モード"};
    for (int i = 0; i < 3; ++i) {
        const MenuEntry& mode = menu->items[2 + i];
        EXPECT_FALSE(mode.popup);
        EXPECT_TRUE(mode.children.empty());
        EXPECT_EQ(mode.text, modeTexts[i]);
        EXPECT_EQ(mode.id, 32771 + i);
    }
    // Nothing is checked, greyed or split off.
    for (const MenuEntry& item : menu->items) {
        EXPECT_FALSE(item.separator);
        EXPECT_EQ(item.flags, 0u);
        for (const MenuEntry& child : item.children) EXPECT_EQ(child.flags, 0u);
    }
}

TEST(ProgramResources, RegistrationDialogTemplate) {
    const DialogResource* dialog = ProgramResources().FindDialog(101);
    ASSERT_NE(dialog, nullptr);
    ExpectModeDialogFrame(*dialog);
    ASSERT_EQ(dialog->controls.size(), 84u);

    ExpectControl(*dialog, 0, {1000, "BUTTON", u8"決定", 343, 151, 90, 57, kChildVisible | kBsPushButton | kWsTabStop, 0});
    ExpectControl(*dialog, 1, {1001, "EDIT", "", 30, 263, 206, 18, kChildVisible | kEsLeft | kWsBorder | kWsTabStop, 0});
    ExpectControl(*dialog, 3, {1003, "EDIT", "", 29, 316, 245, 47,
                               kChildVisible | kEsLeft | kEsMultiline | kWsBorder | kWsTabStop, 0});
    ExpectControl(*dialog, 4, {-1, "STATIC", u8"格納する索引カテゴリを選択してください。", 14, 10, 131, 8, kStaticText, 0});
    ExpectControl(*dialog, 5, {-1, "STATIC", u8"単語名を入力して下さい。", 32, 250, 76, 8, kStaticText, 0});
    ExpectControl(*dialog, 6, {-1, "STATIC", u8"説明／内容を入力して下さい。", 32, 300, 92, 8, kStaticText, 0});
    ExpectControl(*dialog, 7, {-1, "STATIC", u8"登録する場合は決定ボタンを押して下さい。", 330, 133, 125, 8, kStaticText, 0});
    ExpectCategoryButtons(*dialog, 2, 8, true);
    ExpectControl(*dialog, 80, {-1, "BUTTON", u8"索引カテゴリ", 5, 29, 304, 203, kChildVisible | kBsGroupBox, 0});
    ExpectControl(*dialog, 81, {-1, "STATIC", u8"辞書登録モード", 346, 15, 74, 37,
                                kChildVisible | kSsCenter | kSsCenterImage | kWsGroup, kWsExStaticEdge});
    ExpectControl(*dialog, 82, {-1, "STATIC", u8"※全角で約３５文字まです。", 145, 249, 99, 8, kStaticText, 0});
    ExpectControl(*dialog, 83, {-1, "STATIC", u8"※全角で約１１０文字までです。５行までです。", 144, 300, 149, 8, kStaticText, 0});

    // Each field holds only what fits its box.
    for (size_t index : {1, 3}) {
        uint32_t style = dialog->controls[index].style;
        EXPECT_EQ(style & (kEsAutoHScroll | kEsAutoVScroll | kEsWantReturn), 0u) << "control " << index;
    }
    // 決定 is a plain push button: Enter in a field must not press it.
    EXPECT_NE(dialog->controls[0].style & kBsTypeMask, kBsDefPushButton);
}

TEST(ProgramResources, DeletionDialogTemplate) {
    const DialogResource* dialog = ProgramResources().FindDialog(104);
    ASSERT_NE(dialog, nullptr);
    ExpectModeDialogFrame(*dialog);
    ASSERT_EQ(dialog->controls.size(), 80u);

    ExpectControl(*dialog, 0, {1000, "BUTTON", u8"決定", 343, 151, 90, 57, kChildVisible | kBsPushButton | kWsTabStop, 0});
    ExpectControl(*dialog, 2, {-1, "STATIC", u8"削除する単語が格納されている索引カテゴリを選択してください。", 14, 10, 246, 8,
                               kStaticText, 0});
    ExpectControl(*dialog, 3, {-1, "STATIC", u8"下のリストから削除する単語名を選択してください。", 16, 250, 214, 8, kStaticText, 0});
    ExpectControl(*dialog, 4, {-1, "STATIC", u8"削除する場合は決定ボタンを押して下さい。", 330, 133, 125, 8, kStaticText, 0});
    ExpectCategoryButtons(*dialog, 1, 5, false);
    ExpectControl(*dialog, 77, {-1, "BUTTON", u8"索引カテゴリ", 5, 31, 304, 201, kChildVisible | kBsGroupBox, 0});
    ExpectControl(*dialog, 78, {-1, "STATIC", u8"辞書削除モード", 346, 15, 74, 37,
                                kChildVisible | kSsCenter | kSsCenterImage | kWsGroup, kWsExStaticEdge});
    ExpectControl(*dialog, 79, {1008, "LISTBOX", "", 15, 268, 290, 111,
                                kChildVisible | kLbsNotify | kLbsNoIntegralHeight | kWsBorder | kWsVScroll | kWsHScroll |
                                    kWsTabStop,
                                0});
    // The list keeps the listing's order and selects one name at a time.
    EXPECT_EQ(dialog->controls[79].style & (kLbsSort | kLbsMultipleSel | kLbsExtendedSel), 0u);
}

TEST(ProgramResources, BothDialogsHaveTheSameRadioButtonsInTemplateOrder) {
    std::vector<int> expected;
    for (const CategoryButton& button : kCategoryButtons) expected.push_back(button.id);
    const std::vector<int> firstIds = {1002, 1004, 1005, 1006, 1007, 1013};
    EXPECT_TRUE(std::equal(firstIds.begin(), firstIds.end(), expected.begin()));
    EXPECT_EQ(expected[37], 1009);  // よ after ゆ, though its id is far lower

    const Resources& resources = ProgramResources();
    EXPECT_EQ(RadioButtonIds(*resources.FindDialog(101)), expected);
    EXPECT_EQ(RadioButtonIds(*resources.FindDialog(104)), expected);
}

// ---------------------------------------------------------------------------
// Bytes that are not what they should be

// Every cut of the real file is refused or read as the whole entries before
// the cut, never read past its end.
TEST(CompiledResources, ACutFileIsRefusedOrReadUpToTheCut) {
    std::string_view bytes = EmbeddedResources();
    ASSERT_GT(bytes.size(), 1000u);
    for (size_t size = 0; size < bytes.size(); size += 7) {
        Resources read;
        read.menus.push_back(MenuResource{});  // left alone on failure
        std::string error;
        std::string cut(bytes.substr(0, size));  // its own buffer, so a read past it is caught
        if (ReadCompiledResources(cut, &read, &error)) {
            EXPECT_LE(read.dialogs.size(), 2u) << size;
        } else {
            EXPECT_EQ(read.menus.size(), 1u) << size;
            EXPECT_FALSE(error.empty()) << size;
        }
    }
}

// An entry of the .res format around the given resource bytes.
std::string Entry(uint16_t type, uint16_t name, const std::string& data) {
    auto word = [](uint16_t value) { return std::string{char(value & 0xFF), char(value >> 8)}; };
    auto dword = [&](uint32_t value) { return word(value & 0xFFFF) + word(value >> 16); };
    std::string header = word(0xFFFF) + word(type) + word(0xFFFF) + word(name) + dword(0) + word(0x1030) +
                         word(0x0411) + dword(0) + dword(0);
    std::string entry = dword(static_cast<uint32_t>(data.size())) + dword(static_cast<uint32_t>(header.size() + 8)) +
                        header + data;
    while (entry.size() % 4 != 0) entry.push_back('\0');
    return entry;
}

TEST(CompiledResources, TemplatesOfAnotherLayoutAreRefused) {
    Resources read;
    std::string error;
    // A plain DLGTEMPLATE, not the extended one: style first, no signature.
    std::string plain("\x40\x00\x00\x40\x00\x00\x00\x00\x00\x00", 10);
    EXPECT_FALSE(ReadCompiledResources(Entry(5, 200, plain), &read, &error));
    EXPECT_NE(error.find("resource 200"), std::string::npos) << error;
    // A MENUEX template: version 1.
    EXPECT_FALSE(ReadCompiledResources(Entry(4, 201, std::string("\x01\x00\x04\x00", 4)), &read, &error));
    // A menu whose last item never says so.
    std::string endless("\x00\x00\x00\x00\x00\x00\x05\x00\x41\x00\x00\x00", 12);
    EXPECT_FALSE(ReadCompiledResources(Entry(4, 202, endless), &read, &error));
    // Other types and names, such as the icon, are left to others.
    EXPECT_TRUE(ReadCompiledResources(Entry(3, 1, "icon bytes"), &read, &error)) << error;
    EXPECT_TRUE(read.menus.empty());
    EXPECT_TRUE(read.dialogs.empty());
}

}  // namespace
