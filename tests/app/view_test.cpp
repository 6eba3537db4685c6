// View mode as the user meets it: pointer and presses through the queue,
// what each paint draws through the GDI recorder.
#include <resource.h>

#include "../support/test_folder.h"
#include "app_fixture.h"

#include <panel_geometry.h>

#include <string>
#include <vector>

namespace {

using namespace wordoria::test;
using wordoria::testing::GdiCall;
using wordoria::testing::GdiRecorder;
using wordoria::testing::WindowCall;
using wordoria::testing::WindowCallRecorder;

POINT Center(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

class View : public TestFolder {
protected:
    void SetUp() override {
        TestFolder::SetUp();
        EnsureApplication();
        ASSERT_TRUE(StartAtRest(MODE_VIEW));
        g_App.m_main.m_nPage = 0;
        g_App.m_main.m_nEntryCount = 0;
    }
    void MoveTo(int x, int y) {
        wordoria::testing::InjectMouseMove(MainWindow(), x, y);
        Turns(2);
    }
    void Release() {
        wordoria::testing::InjectMouseRelease(MainWindow(), g_MouseState.nX, g_MouseState.nY);
        Turns(2);
    }
    // A press held long enough for the paints in between, as a hand holds it.
    void Press(int x, int y) {
        MoveTo(x, y);
        wordoria::testing::InjectMousePress(MainWindow(), x, y);
        Turns(6);
        Release();
    }
    void Press(POINT pt) { Press(pt.x, pt.y); }
    // Writes n word files "name i" into a folder.
    void Fill(const std::string& folder, int count, const std::string& content = "line one\r\r\nline two") {
        for (int i = 1; i <= count; ++i)
            WriteBytes(folder + "/" + std::to_string(i) + ".txt", "name " + std::to_string(i) + "\r\n" + content);
    }
    // Everything one whole paint draws. A pointer resting on a cell repaints
    // it every turn, so the caller puts the pointer where it wants it first.
    std::vector<GdiCall> Paint() {
        Turns(3);
        GdiRecorder recorder;
        InvalidateRect(MainWindow(), nullptr, TRUE);
        Turn();
        return recorder.calls();
    }
    std::vector<GdiCall> PaintAwayFromTheCells() {
        MoveTo(400, 590);
        return Paint();
    }
    static std::vector<GdiCall> TextsRightOf(const std::vector<GdiCall>& calls, int x) {
        std::vector<GdiCall> texts;
        for (const GdiCall& call : calls) {
            if (call.kind == GdiCall::Text && call.from.x >= x) texts.push_back(call);
        }
        return texts;
    }
    static bool Drew(const std::vector<GdiCall>& calls, const std::string& text, int x, int y) {
        for (const GdiCall& call : calls) {
            if (call.kind == GdiCall::Text && call.text == text && call.from.x == x && call.from.y == y) return true;
        }
        return false;
    }
    static int Lines(const std::vector<GdiCall>& calls, int fromX) {
        int count = 0;
        for (const GdiCall& call : calls) count += call.kind == GdiCall::Line && call.from.x == fromX;
        return count;
    }
    CMain& Main() { return g_App.m_main; }
};

TEST_F(View, CellsBetweenCharactersAndOutsideTheGridsDoNothing) {
    Fill("DATA/日本語/や行/や", 1);
    Fill("DATA/日本語/や行/ゆ", 1);
    Fill("DATA/日本語/あ行/あ", 1);
    Fill("DATA/英語/Z", 1);
    WindowCallRecorder calls;
    for (POINT pt : {Center(KanaCell(7, 1)), POINT{25, 45}, Center(KanaCell(9, 3)), Center(LatinCell(5, 1)),
                     Center(LatinCell(5, 4)), POINT{20, 15}}) {
        calls.clear();
        Press(pt);
        EXPECT_EQ(Main().m_nEntryCount, 0) << pt.x << "," << pt.y;
        EXPECT_EQ(Main().m_nPage, 0) << pt.x << "," << pt.y;
        for (const WindowCall& call : calls.calls()) {
            EXPECT_FALSE(call.kind == WindowCall::Present && call.rect.right - call.rect.left == 15)
                << "a cell was lit at " << pt.x << "," << pt.y;
        }
    }
}

TEST_F(View, PressesLoadTheirCategories) {
    Fill("DATA/日本語/わ行/ん", 2);
    Fill("DATA/英語/Z", 3);
    Fill("DATA/記号", 4);
    Fill("DATA/日本語/や行/よ", 6);
    Press(Center(KanaCell(9, 2)));
    EXPECT_EQ(Main().m_nEntryCount, 2);
    Press(Center(LatinCell(5, 0)));
    EXPECT_EQ(Main().m_nEntryCount, 3);
    Press(10, 400);
    EXPECT_EQ(Main().m_nEntryCount, 4);
    Press(40, 418);
    EXPECT_EQ(Main().m_nEntryCount, 4);
    Press(Center(KanaCell(7, 4)));
    EXPECT_EQ(Main().m_nEntryCount, 6);
    EXPECT_EQ(Main().m_nPage, 1);
}

TEST_F(View, APressHeldWhileMovingOntoACellLoadsIt) {
    Fill("DATA/日本語/か行/き", 3);
    MoveTo(60, 30);
    wordoria::testing::InjectMousePress(MainWindow(), 60, 30);
    Turns(4);
    EXPECT_EQ(Main().m_nPage, 0);
    MoveTo(Center(KanaCell(1, 1)).x, Center(KanaCell(1, 1)).y);
    Turns(4);
    EXPECT_EQ(Main().m_nEntryCount, 3);
    Release();
}

TEST_F(View, PageButtonsTurnOnlyWhenEnabledAndOnePagePerPress) {
    Fill("DATA/記号", 11);
    Press(Center(SymbolCell()));
    ASSERT_EQ(Main().m_nPage, 1);

    WindowCallRecorder calls;
    Press(Center(PrevPageButton()));  // disabled on page 1
    EXPECT_EQ(Main().m_nPage, 1);
    EXPECT_EQ(Main().m_nButtonHover, 0);

    // Held down: one page, however many turns pass.
    MoveTo(Center(NextPageButton()).x, Center(NextPageButton()).y);
    wordoria::testing::InjectMousePress(MainWindow(), Center(NextPageButton()).x, Center(NextPageButton()).y);
    Turns(30);
    EXPECT_EQ(Main().m_nPage, 2);
    Release();
    Press(Center(NextPageButton()));
    EXPECT_EQ(Main().m_nPage, 3);  // 11 entries: page 3 holds the last
    Press(Center(NextPageButton()));
    EXPECT_EQ(Main().m_nPage, 3);
    Press(Center(PrevPageButton()));
    EXPECT_EQ(Main().m_nPage, 2);
}

TEST_F(View, TenEntriesHaveNoThirdPage) {
    Fill("DATA/記号", 10);
    Press(Center(SymbolCell()));
    Press(Center(NextPageButton()));
    ASSERT_EQ(Main().m_nPage, 2);
    Press(Center(NextPageButton()));
    EXPECT_EQ(Main().m_nPage, 2);
}

TEST_F(View, LeavingAnEnabledButtonRepaintsEverythingExactlyOnce) {
    Fill("DATA/記号", 6);
    Press(Center(SymbolCell()));
    Press(Center(NextPageButton()));
    ASSERT_EQ(Main().m_nPage, 2);
    MoveTo(Center(PrevPageButton()).x, Center(PrevPageButton()).y);
    EXPECT_EQ(Main().m_nButtonHover, 1);
    WindowCallRecorder calls;
    MoveTo(400, 300);
    Turns(10);
    int whole = 0;
    for (const WindowCall& call : calls.calls()) {
        whole += call.kind == WindowCall::Present && call.rect.right == 800 && call.rect.bottom == 600;
    }
    EXPECT_EQ(whole, 1);
    EXPECT_EQ(Main().m_nButtonHover, 0);
}

TEST_F(View, TheCellUnderThePointerIsLitAndRepaintedEveryTurn) {
    POINT ki = Center(KanaCell(1, 1));
    MoveTo(ki.x, ki.y);
    WindowCallRecorder calls;
    Turns(5);
    int cell = 0;
    for (const WindowCall& call : calls.calls()) cell += call.kind == WindowCall::Present && call.rect.left == 26;
    EXPECT_EQ(cell, 5);
    EXPECT_EQ(wordoria::testing::ClientPixel(MainWindow(), 27, 61), RGB(192, 192, 192));
    MoveTo(400, 300);
    Turns(3);
    EXPECT_EQ(wordoria::testing::ClientPixel(MainWindow(), 27, 61), RGB(255, 255, 255));  // drawn plain again
}

TEST_F(View, LoadingFollowsTheFolderAndForgetsTheLastLoad) {
    Press(Center(LatinCell(0, 0)));  // A: nothing there
    EXPECT_EQ(Main().m_nPage, 0);
    MakeFolder("DATA/英語/B/sub");
    Press(Center(LatinCell(0, 1)));
    EXPECT_EQ(Main().m_nEntryCount, 0);
    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/B/sub"));
    ASSERT_TRUE(RemoveDirectoryA("DATA/英語/C"));
    Press(Center(LatinCell(0, 2)));  // missing folder
    EXPECT_EQ(Main().m_nEntryCount, 0);

    Fill("DATA/英語/D", 7);
    Press(Center(LatinCell(0, 3)));
    EXPECT_EQ(Main().m_nEntryCount, 7);
    WriteBytes("DATA/英語/E/1.txt", "plain\nlf one\nlf two");
    WriteBytes("DATA/英語/E/memo", "memo\r\nnote");
    Press(Center(LatinCell(0, 4)));
    ASSERT_EQ(Main().m_nEntryCount, 2);
    for (int i = 2; i < PAGE_STORE_SIZE; ++i) {
        ASSERT_EQ(Main().m_aEntry[i].bLoaded, 0) << i;
        ASSERT_EQ(Main().m_aEntry[i].szName[0], '\0') << i;
    }
    bool plainRead = false;
    for (int i = 0; i < 2; ++i) {
        const EntryRecord& entry = Main().m_aEntry[i];
        if (std::string(entry.szName) == "plain") {
            plainRead = std::string(entry.szLine[0]) == "lf one" && std::string(entry.szLine[1]) == "lf two";
        }
    }
    EXPECT_TRUE(plainRead);

    Fill("DATA/英語/F", 12);
    Press(Center(LatinCell(1, 0)));
    Press(Center(NextPageButton()));
    Press(Center(NextPageButton()));
    ASSERT_EQ(Main().m_nPage, 3);
    Press(Center(LatinCell(1, 0)));  // the same category again: back to page 1
    EXPECT_EQ(Main().m_nPage, 1);
}

TEST_F(View, HelpPageAtStartAndForAnEmptyCategory) {
    std::vector<GdiCall> calls = PaintAwayFromTheCells();
    EXPECT_TRUE(Drew(calls, "Wordoriaの使い方", 300, 10));
    EXPECT_TRUE(Drew(calls, "×ボタンでも終了できます。", 120, 550));
    EXPECT_TRUE(Drew(calls, "メニュー欄から、[ヘルプ]　→　[バージョン情報]を選択して下さい。", 120, 470));
    EXPECT_TRUE(Drew(calls, "ページ操作", 7, 462));
    EXPECT_FALSE(Drew(calls, "前ページへ", 9, 503));
    EXPECT_EQ(TextsRightOf(calls, 105).size(), 25u);
    EXPECT_EQ(Lines(calls, 115), 0);

    Press(Center(LatinCell(0, 0)));
    calls = PaintAwayFromTheCells();
    EXPECT_EQ(TextsRightOf(calls, 105).size(), 25u);
}

TEST_F(View, ThreeEntriesOnOnePage) {
    Fill("DATA/日本語/さ行/し", 3);
    Press(Center(KanaCell(2, 1)));
    std::vector<GdiCall> calls = PaintAwayFromTheCells();
    for (int y : {5, 122, 239}) {
        bool marker = false;
        for (const GdiCall& call : calls) {
            marker |= call.kind == GdiCall::Text && call.text == "●" && call.from.x == 110 && call.from.y == y &&
                      call.color == RGB(0, 255, 0) && call.backMode == TRANSPARENT;
        }
        EXPECT_TRUE(marker) << y;
        EXPECT_TRUE(Drew(calls, "line one", 110, y + 17));
        EXPECT_TRUE(Drew(calls, "line two", 110, y + 34));
    }
    EXPECT_TRUE(Drew(calls, "―　1　―", 380, 580));
    EXPECT_FALSE(Drew(calls, "前ページへ", 9, 503));
    EXPECT_FALSE(Drew(calls, "次ページへ", 9, 543));
    EXPECT_EQ(Lines(calls, 115), 4);
    EXPECT_FALSE(Drew(calls, "Wordoriaの使い方", 300, 10));
}

TEST_F(View, TwelveEntriesOverThreePages) {
    Fill("DATA/日本語/た行/ち", 12);
    Press(Center(KanaCell(3, 1)));
    std::vector<GdiCall> calls = PaintAwayFromTheCells();
    // The folder's order as Windows lists it, the same on every build.
    std::vector<std::string> names;
    for (const GdiCall& call : calls) {
        if (call.kind == GdiCall::Text && call.text.rfind("name ", 0) == 0) names.push_back(call.text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"name 1", "name 10", "name 11", "name 12", "name 2"}));
    EXPECT_FALSE(Drew(calls, "前ページへ", 9, 503));
    EXPECT_TRUE(Drew(calls, "次ページへ", 9, 543));
    Press(Center(NextPageButton()));
    calls = PaintAwayFromTheCells();
    EXPECT_TRUE(Drew(calls, "前ページへ", 9, 503));
    EXPECT_TRUE(Drew(calls, "次ページへ", 9, 543));
    EXPECT_TRUE(Drew(calls, "―　2　―", 380, 580));
    Press(Center(NextPageButton()));
    calls = PaintAwayFromTheCells();
    EXPECT_TRUE(Drew(calls, "前ページへ", 9, 503));
    EXPECT_FALSE(Drew(calls, "次ページへ", 9, 543));
    int markers = 0;
    for (const GdiCall& call : calls) markers += call.kind == GdiCall::Text && call.text == "●";
    EXPECT_EQ(markers, 2);
    EXPECT_EQ(Lines(calls, 115), 4);
}

TEST_F(View, HighlightOnlyUnderAnEnabledButton) {
    Fill("DATA/記号", 7);
    Press(Center(SymbolCell()));
    auto filled = [](const std::vector<GdiCall>& calls, const RECT& rc) {
        for (const GdiCall& call : calls) {
            if (call.kind == GdiCall::Fill && call.rect.left == rc.left && call.rect.top == rc.top &&
                call.rect.right == rc.right && call.color == RGB(192, 192, 192))
                return true;
        }
        return false;
    };
    MoveTo(Center(NextPageButton()).x, Center(NextPageButton()).y);
    EXPECT_TRUE(filled(Paint(), NextPageButton()));
    MoveTo(Center(PrevPageButton()).x, Center(PrevPageButton()).y);
    EXPECT_FALSE(filled(Paint(), PrevPageButton()));
}

TEST_F(View, AnEntryWithoutContentDrawsMarkerAndNameOnly) {
    WriteBytes("DATA/記号/1.txt", "lonely\r\n");
    Press(Center(SymbolCell()));
    std::vector<GdiCall> texts = TextsRightOf(PaintAwayFromTheCells(), 105);
    std::vector<std::string> drawn;
    for (const GdiCall& call : texts) drawn.push_back(call.text);
    EXPECT_EQ(drawn, (std::vector<std::string>{"●", "lonely", "―　1　―"}));
}

}  // namespace
