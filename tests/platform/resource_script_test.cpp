#include "resource_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace wordoria::platform;

// Win32 values, written out here rather than taken from the reader's own list.
constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsVScroll = 0x00200000;
constexpr uint32_t kWsHScroll = 0x00100000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kWsExClientEdge = 0x00000200;
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
constexpr uint32_t kSsRight = 0x0002;
constexpr uint32_t kSsCenterImage = 0x0200;
constexpr uint32_t kLbsNotify = 0x0001;
constexpr uint32_t kLbsSort = 0x0002;
constexpr uint32_t kLbsMultipleSel = 0x0008;
constexpr uint32_t kLbsNoIntegralHeight = 0x0100;
constexpr uint32_t kLbsExtendedSel = 0x0800;
constexpr uint32_t kMfGrayed = 0x0001;
constexpr uint32_t kMfChecked = 0x0008;
constexpr uint32_t kMfHelp = 0x4000;

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

TEST(ProgramResources, ParseFromTheEmbeddedFiles) {
    EXPECT_EQ(EmbeddedResourceScript().substr(0, 24), "#pragma code_page(65001)");
    EXPECT_NE(EmbeddedResourceHeader().find("#define IDD_REGIST"), std::string_view::npos);

    std::map<std::string, long> defines = ParseDefines(EmbeddedResourceHeader());
    EXPECT_EQ(defines.size(), 87u);  // 4 resources, 5 commands, 5 controls, 73 category buttons
    EXPECT_EQ(defines["IDC_STATIC"], -1);
    EXPECT_EQ(defines["IDC_KANA_YO"], 1009);

    const ResourceScript& resources = ProgramResources();
    EXPECT_EQ(&resources, &ProgramResources());
    ASSERT_EQ(resources.menus.size(), 1u);
    ASSERT_EQ(resources.dialogs.size(), 2u);
    ASSERT_EQ(resources.icons.size(), 1u);
    EXPECT_EQ(resources.icons[0].id, 107);
    EXPECT_EQ(resources.icons[0].file, "wordoria.ico");
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

    const ResourceScript& resources = ProgramResources();
    EXPECT_EQ(RadioButtonIds(*resources.FindDialog(101)), expected);
    EXPECT_EQ(RadioButtonIds(*resources.FindDialog(104)), expected);
}

// ---------------------------------------------------------------------------
// The reader on small scripts

ResourceScript Parse(std::string_view script, const std::map<std::string, long>& defines = {}) {
    ResourceScript result;
    std::string error;
    EXPECT_TRUE(ParseResourceScript(script, defines, &result, &error)) << error;
    return result;
}

std::string ParseError(std::string_view script, const std::map<std::string, long>& defines = {}) {
    ResourceScript result;
    std::string error;
    EXPECT_FALSE(ParseResourceScript(script, defines, &result, &error)) << script;
    return error;
}

TEST(ParseResourceScript, ControlsAreVisibleChildrenUnlessTheirStyleSaysNot) {
    ResourceScript script = Parse(R"rc(
1 DIALOGEX 0, 0, 100, 50
STYLE WS_CHILD
BEGIN
    CONTROL "a", 10, "BUTTON", BS_AUTORADIOBUTTON, 1, 2, 3, 4
    CONTROL "b", 11, "Button", NOT WS_VISIBLE | BS_DEFPUSHBUTTON, 1, 2, 3, 4
    CONTROL "c", 12, STATIC, WS_GROUP | SS_RIGHT | NOT WS_GROUP, 1, 2, 3, 4
    CONTROL "d", 13, "EDIT", NOT WS_CHILD | ES_MULTILINE, 1, 2, 3, 4, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE
    CONTROL "e", 14, "EDIT", ES_MULTILINE | NOT (ES_MULTILINE | WS_VISIBLE) | WS_TABSTOP, 1, 2, 3, 4
END
)rc");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const std::vector<ControlTemplate>& controls = script.dialogs[0].controls;
    ASSERT_EQ(controls.size(), 5u);
    EXPECT_EQ(controls[0].style, kChildVisible | kBsAutoRadioButton);
    EXPECT_EQ(controls[0].exStyle, 0u);
    EXPECT_EQ(controls[1].style, kWsChild | kBsDefPushButton);
    EXPECT_EQ(controls[1].className, "Button");
    EXPECT_EQ(controls[2].style, kChildVisible | kSsRight);
    EXPECT_EQ(controls[2].className, "STATIC");
    EXPECT_EQ(controls[3].style, kWsVisible | kEsMultiline);
    EXPECT_EQ(controls[3].exStyle, kWsExClientEdge | kWsExStaticEdge);
    EXPECT_EQ(controls[4].style, kWsChild | kWsTabStop);
}

TEST(ParseResourceScript, DialogStyleDefaultsCaptionAndFont) {
    ResourceScript script = Parse(R"rc(
1 DIALOGEX 0, 0, 10, 10
BEGIN
END
2 DIALOGEX 0, 0, 10, 10
CAPTION "Title"
FONT 8, "Face"
BEGIN
END
3 DIALOG DISCARDABLE 0, 0, 10, 10
STYLE WS_POPUP | WS_CAPTION
EXSTYLE WS_EX_CLIENTEDGE
BEGIN
END
4 DIALOGEX 1, 2, 3, 4, 99
STYLE WS_CHILD
FONT 10, "Face", 700, 1, 128
{
}
)rc");
    ASSERT_EQ(script.dialogs.size(), 4u);
    // Without STYLE: a popup with border and system menu.
    EXPECT_EQ(script.dialogs[0].style, kWsPopup | kWsBorder | kWsSysMenu);
    EXPECT_EQ(script.dialogs[0].fontFace, "");
    // CAPTION and FONT bring WS_CAPTION and DS_SETFONT along.
    EXPECT_EQ(script.dialogs[1].style, kWsPopup | kWsBorder | kWsSysMenu | kWsCaption | kDsSetFont);
    EXPECT_EQ(script.dialogs[1].caption, "Title");
    EXPECT_EQ(script.dialogs[1].fontFace, "Face");
    EXPECT_EQ(script.dialogs[1].pointSize, 8);
    EXPECT_EQ(script.dialogs[1].weight, 0);
    EXPECT_FALSE(script.dialogs[1].italic);
    EXPECT_EQ(script.dialogs[1].charset, 1);  // DEFAULT_CHARSET
    // STYLE replaces the default.
    EXPECT_EQ(script.dialogs[2].style, kWsPopup | kWsCaption);
    EXPECT_EQ(script.dialogs[2].exStyle, kWsExClientEdge);
    const DialogResource& fourth = script.dialogs[3];
    EXPECT_EQ(fourth.style, kWsChild | kDsSetFont);
    EXPECT_EQ(fourth.x, 1);
    EXPECT_EQ(fourth.y, 2);
    EXPECT_EQ(fourth.cx, 3);
    EXPECT_EQ(fourth.cy, 4);
    EXPECT_EQ(fourth.weight, 700);
    EXPECT_TRUE(fourth.italic);
    EXPECT_EQ(fourth.charset, 128);
}

TEST(ParseResourceScript, HexNegativeNumbersAndExpressions) {
    ResourceScript script = Parse(R"rc(
#define IDC_BELOW (-5)
IDD_TEST DIALOGEX -10, 0x10, 0X20 + 1, (3 * 4) - 2
STYLE 0x40000000L | 0x40
BEGIN
    CONTROL "x", -1, "STATIC", 0x0200 | 1, -3, -0x4, 10 / 3, 7 % 4
    CONTROL "y", IDC_BELOW, "STATIC", ~0xFFFFFFFE, 0, 0, 1, 1
    CONTROL "z", IDC_FROM_HEADER + 1, "STATIC", 0, 0, 0, 1, 1
END
)rc",
                                  {{"IDD_TEST", 300}, {"IDC_FROM_HEADER", 0x7FF}});
    ASSERT_EQ(script.dialogs.size(), 1u);
    const DialogResource& dialog = script.dialogs[0];
    EXPECT_EQ(dialog.id, 300);
    EXPECT_EQ(dialog.x, -10);
    EXPECT_EQ(dialog.y, 16);
    EXPECT_EQ(dialog.cx, 33);
    EXPECT_EQ(dialog.cy, 10);
    EXPECT_EQ(dialog.style, kWsChild | kDsSetFont);
    ASSERT_EQ(dialog.controls.size(), 3u);
    EXPECT_EQ(dialog.controls[0].id, -1);
    EXPECT_EQ(dialog.controls[0].style, kChildVisible | kSsCenterImage | kSsCenter);
    EXPECT_EQ(dialog.controls[0].x, -3);
    EXPECT_EQ(dialog.controls[0].y, -4);
    EXPECT_EQ(dialog.controls[0].cx, 3);
    EXPECT_EQ(dialog.controls[0].cy, 3);
    EXPECT_EQ(dialog.controls[1].id, -5);
    EXPECT_EQ(dialog.controls[1].style, kChildVisible | 1u);
    EXPECT_EQ(dialog.controls[2].id, 0x800);
}

TEST(ParseResourceScript, StringsKeepTheirUtf8AndReadEscapes) {
    ResourceScript script = Parse(u8R"rc(#pragma code_page(65001)
1 MENU
BEGIN
    MENUITEM "say ""hi""", 1
    MENUITEM "a\tb\\c\"d\ne", 2
    MENUITEM "&Open\aCtrl+O", 3
    MENUITEM "辞書(&D)", 4
    MENUITEM "\x41\102C", 5
    MENUITEM "", 6
    MENUITEM L"\x8F9E", 7
END
)rc");
    ASSERT_EQ(script.menus.size(), 1u);
    const std::vector<MenuEntry>& items = script.menus[0].items;
    ASSERT_EQ(items.size(), 7u);
    EXPECT_EQ(items[0].text, "say \"hi\"");
    EXPECT_EQ(items[1].text, "a\tb\\c\"d\ne");
    EXPECT_EQ(items[2].text, "&Open\x08" "Ctrl+O");  // \a right-aligns the shortcut
    EXPECT_EQ(items[3].text, u8"辞書(&D)");
    EXPECT_EQ(items[4].text, "ABC");
    EXPECT_EQ(items[5].text, "");
    EXPECT_EQ(items[6].text, u8"辞");
}

TEST(ParseResourceScript, MenusWithBracesSeparatorsAndOptions) {
    ResourceScript script = Parse(R"rc(
IDR_MENU MENU DISCARDABLE
{
    popup "&File"
    {
        MenuItem "&Open", 10, CHECKED, GRAYED
        MENUITEM SEPARATOR
        POPUP "Recent", GRAYED
        BEGIN
            MENUITEM "One", 11
        END
    }
    MENUITEM "&About", 12, HELP
}
IDI_APP ICON "res\\app.ico"
)rc",
                                  {{"IDR_MENU", 200}, {"IDI_APP", 5}});
    const MenuResource* menu = script.FindMenu(200);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 2u);
    const MenuEntry& file = menu->items[0];
    EXPECT_TRUE(file.popup);
    EXPECT_EQ(file.text, "&File");
    ASSERT_EQ(file.children.size(), 3u);
    EXPECT_EQ(file.children[0].id, 10);
    EXPECT_EQ(file.children[0].flags, kMfChecked | kMfGrayed);
    EXPECT_TRUE(file.children[1].separator);
    EXPECT_EQ(file.children[1].text, "");
    EXPECT_TRUE(file.children[2].popup);
    EXPECT_EQ(file.children[2].flags, kMfGrayed);
    ASSERT_EQ(file.children[2].children.size(), 1u);
    EXPECT_EQ(file.children[2].children[0].id, 11);
    EXPECT_EQ(menu->items[1].id, 12);
    EXPECT_EQ(menu->items[1].flags, kMfHelp);
    ASSERT_EQ(script.icons.size(), 1u);
    EXPECT_EQ(script.icons[0].id, 5);
    EXPECT_EQ(script.icons[0].file, "res\\app.ico");
}

TEST(ParseResourceScript, CommentsAndPreprocessorLinesAreSkipped) {
    std::string text =
        "#pragma code_page(65001)\r\n"
        "#include <windows.h>\r\n"
        "#include \"resource.h\" // names\r\n"
        "/* a comment over lines\r\n"
        "#define HIDDEN 5\r\n"
        "1 MENU BEGIN END */\r\n"
        "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT\r\n"
        "#define IDC_OK_BUTTON 1 // a trailing comment\r\n"
        "2 DIALOGEX 0, 0, 10, 10 // size\r\n"
        "BEGIN\r\n"
        "    // CONTROL \"not\", 9, \"STATIC\", 0, 0, 0, 1, 1\r\n"
        "    CONTROL \"a // b /* c\", /* the id */ IDC_OK_BUTTON, \"BUTTON\", 0, 0, 0, 1, 1\r\n"
        "END\r\n";
    ResourceScript script = Parse(text);
    EXPECT_TRUE(script.menus.empty());
    ASSERT_EQ(script.dialogs.size(), 1u);
    ASSERT_EQ(script.dialogs[0].controls.size(), 1u);
    EXPECT_EQ(script.dialogs[0].controls[0].text, "a // b /* c");
    EXPECT_EQ(script.dialogs[0].controls[0].id, 1);
    // The #define inside the comment did not count.
    EXPECT_NE(ParseError(text + "HIDDEN ICON \"x.ico\"\r\n").find("unknown name 'HIDDEN'"), std::string::npos);
}

TEST(ParseResourceScript, ErrorsNameTheLine) {
    const std::string dialogHead = "1 DIALOGEX 0, 0, 10, 10\nBEGIN\n";  // lines 1 and 2
    struct Case {
        std::string script;
        std::string error;
    } cases[] = {
        {dialogHead + "    CONTROL \"a\", 10 \"BUTTON\", 0, 0, 0, 1, 1\nEND\n",
         "line 3: expected ',' after the control id, found \"BUTTON\""},
        {dialogHead + "    CONTROL \"a\", 10, \"BUTTON\", 0, 0, 0, 1\nEND\n",
         "line 4: expected ',' after the control's width, found 'END'"},
        {dialogHead + "    CONTROL \"a\", 10, \"BUTTON, 0, 0, 0, 1, 1\nEND\n",
         "line 3: the string begun here has no closing quote"},
        {dialogHead + "    CONTROL \"a\", 10, \"BUTTON\", 0, 0, 0, 1, 1\n", "line 2: the block begun here has no END"},
        {dialogHead + "    LTEXT \"a\", 10, 0, 0, 1, 1\nEND\n",
         "line 3: LTEXT is not read: write the control as CONTROL with its full style"},
        {dialogHead + "    CONTROL \"a\", 10, \"BUTTON\", 0, 0, 0, 1, 40000\nEND\n",
         "line 3: the control's height 40000 is out of range"},
        {dialogHead + "    CONTROL 5, 10, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n",
         "line 3: expected the control's text in quotes, found '5'"},
        {dialogHead + "    CONTROL \"a\\q\", 10, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n",
         "line 3: unknown escape '\\q' in a string"},
        {dialogHead + "    CONTROL \"\x82\xA0\", 10, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n",  // Shift-JIS, not UTF-8
         "line 3: text that is not UTF-8"},
        {"\n1 MENU\nBEGIN\n    MENUITEM \"a\" 1\nEND\n", "line 4: expected ',' after the menu item's text, found '1'"},
        {"\n1 MENU\nBEGIN\n    MENUITEM \"a\", 1, BOLD\nEND\n", "line 4: expected a menu item option, found 'BOLD'"},
        {"1 MENU\nBEGIN\nEND\n/* open\n", "line 4: the comment begun here has no end"},
        {"#pragma code_page(932)\n", "line 1: only #pragma code_page(65001) is read: the script is UTF-8"},
        {"\n#ifdef X\n#endif\n", "line 2: #ifdef is not read in a resource script"},
        {"1 ACCELERATORS\nBEGIN\nEND\n", "line 1: resources of type ACCELERATORS are not read"},
        {"STRINGTABLE\nBEGIN\nEND\n", "line 1: STRINGTABLE resources are not read"},
        {"1 MENU\nBEGIN\nEND\n\n1 MENU\nBEGIN\nEND\n", "line 5: a second MENU 1"},
        {"1 DIALOGEX 0, 0, 1, 1\nCAPTION \"x\" MENU 5\nBEGIN\nEND\n", "line 2: MENU is not read in a dialog"},
        {"1 DIALOGEX 0, 0, 10 / 0, 1\nBEGIN\nEND\n", "line 1: division by zero"},
        {"1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_CHILD @\nBEGIN\nEND\n", "line 2: unexpected character '@'"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseError(c.script), c.error) << c.script;
}

TEST(ParseResourceScript, UnknownNamesAreErrorsNeverZero) {
    const std::map<std::string, long> defines = {{"IDD_KNOWN", 7}};
    struct Case {
        std::string script;
        std::string error;
    } cases[] = {
        {"IDD_UNKNOWN DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "line 1: unknown name 'IDD_UNKNOWN'"},
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nSTYLE WS_CHILD | WS_CHIILD\nBEGIN\nEND\n", "line 2: unknown name 'WS_CHIILD'"},
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", IDC_NOPE, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n",
         "line 3: unknown name 'IDC_NOPE'"},
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", 1, \"BUTTON\", NOT BS_NOPE, 0, 0, 1, 1\nEND\n",
         "line 3: unknown name 'BS_NOPE'"},
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", 1, \"BUTTON\", 0, LEFT_EDGE, 0, 1, 1\nEND\n",
         "line 3: unknown name 'LEFT_EDGE'"},
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", 1, BUTTON, 0, 0, 0, 1, 1, WS_EX_NOPE\nEND\n",
         "line 3: unknown name 'WS_EX_NOPE'"},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\", IDM_NOPE\nEND\n", "line 3: unknown name 'IDM_NOPE'"},
        // Names are case-sensitive, as in C; only the keywords are not.
        {"IDD_KNOWN DIALOGEX 0, 0, 1, 1\nstyle ws_child\nBEGIN\nEND\n", "line 2: unknown name 'ws_child'"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseError(c.script, defines), c.error) << c.script;
}

TEST(ParseResourceScript, LeavesTheResultAloneOnFailure) {
    ResourceScript result;
    result.menus.push_back({42, {}});
    std::string error;
    EXPECT_FALSE(ParseResourceScript("1 MENU\nBEGIN\n", {}, &result, &error));
    ASSERT_EQ(result.menus.size(), 1u);
    EXPECT_EQ(result.menus[0].id, 42);
    EXPECT_EQ(error, "line 2: the block begun here has no END");
}

// ---------------------------------------------------------------------------
// Header names

TEST(ParseDefines, ReadsNumbersAndIgnoresTheRest) {
    std::map<std::string, long> defines = ParseDefines(R"rc(
#ifndef GUARD_H
#define GUARD_H
#define DECIMAL 101
#define HEX 0x7FFF
#define NEGATIVE -1
#define IN_PARENS (-42)
#define LONG_SUFFIX 32771L
  #  define   INDENTED   7   // a comment
#define ALIAS DECIMAL
#define SUM (HEX + 1)
#define TEXT "not a number"
#define MACRO(x) ((x) + 1)
#define UNKNOWN_ALIAS SOMETHING_ELSE
// #define COMMENTED_OUT 1
/* #define IN_BLOCK 2
#define ALSO_IN_BLOCK 3 */
#define CONTINUED \
    55
int not_a_define = 5;
#endif
)rc");
    const std::map<std::string, long> expected = {
        {"DECIMAL", 101}, {"HEX", 0x7FFF},  {"NEGATIVE", -1}, {"IN_PARENS", -42},  {"LONG_SUFFIX", 32771},
        {"INDENTED", 7},  {"ALIAS", 101},   {"SUM", 0x8000},  {"CONTINUED", 55},
    };
    EXPECT_EQ(defines, expected);
}

}  // namespace
