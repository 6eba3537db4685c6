// The view paint: the panel, the page-operation box, then the current page
// or the help page.
#include "../app/main_content.h"
#include "panel_geometry.h"

#include <stdio.h>
#include <string.h>

namespace {

const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const int ENTRY_PITCH = 117;  // one entry: its name line and five content lines
const int LINE_PITCH = 17;

struct HelpLine {
    int x;
    int y;
    const char* pszText;
};

const HelpLine s_aHelp[] = {
    {300, 10, "Wordoriaの使い方"},
    {120, 30, "■辞書モード"},
    {120, 50, "メニュー欄から、「辞書モード」をクリックして下さい。"},
    {120, 70, "左側にある、索引カテゴリから、表示したいカテゴリをクリックして下さい。"},
    {120, 90, "単語が登録されている場合は、１ページ目が表示されます。"},
    {120, 110, "単語が登録されていない場合は、Wordoriaの使い方が表示されます。"},
    {120, 130, "１ページ以上ある場合は、左下の「ページ操作」欄に、「前ページへ」「次ページへ」が"},
    {120, 150, "表示されるので、クリックして操作して下さい。"},
    {120, 190, "■辞書登録モード"},
    {120, 210, "メニュー欄から、「辞書登録モード」をクリックして下さい。"},
    {120, 230, "登録したい、「索引カテゴリ」を１つ選択して下さい。"},
    {120, 250, "単語名を入力して下さい。"},
    {120, 270, "説明／内容を入力して下さい。"},
    {120, 290, "「決定」ボタンをクリックして登録して下さい。"},
    {120, 330, "■辞書削除モード"},
    {120, 350, "メニュー欄から、「辞書削除モード」をクリックして下さい。"},
    {120, 370, "削除したい単語が格納されている、「索引カテゴリ」を１つ選択して下さい。"},
    {120, 390, "下のリストから、削除したい単語名を選択して下さい。"},
    {120, 410, "「決定」ボタンをクリックして削除を行って下さい。"},
    {120, 450, "■バージョンの確認"},
    {120, 470, "メニュー欄から、[ヘルプ]　→　[バージョン情報]を選択して下さい。"},
    {120, 510, "■アプリケーションの終了"},
    {120, 530, "メニュー欄から、[ファイル]　→　[アプリケーションの終了]を選択して下さい。"},
    {120, 550, "×ボタンでも終了できます。"},
    {350, 580, "Wordoria version1.0  自分だけの単語帳"},
};

// An empty text draws nothing, so it is not drawn at all.
void DrawText(CDC& dc, int x, int y, const char* pszText) {
    if (pszText[0] != '\0') TextOutA(dc.m_hDC, x, y, pszText, (int)strlen(pszText));
}

void DrawLine(CDC& dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc.m_hDC, x1, y1, NULL);
    LineTo(dc.m_hDC, x2, y2);
}

// The light-gray highlight of an enabled page button under the pointer.
void HighlightButton(CDC& dc, const RECT& rcButton, bool bEnabled) {
    POINT pt = {g_MouseState.nX, g_MouseState.nY};
    if (bEnabled && PtInRect(&rcButton, pt)) FillRect(dc.m_hDC, &rcButton, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
}

}  // namespace

void CMain::m_sub_DrawView(CDC& dc) {
    m_sub_DrawIndexPanel(dc);
    DrawText(dc, 7, 462, "ページ操作");
    DrawLine(dc, 8, 440, 92, 440);
    // Tested after the panel: a category it just loaded is drawn by this paint.
    if (m_nPage == 0) {
        m_sub_DrawHelp(dc);
    } else {
        m_sub_DrawPage(dc);
    }
}

void CMain::m_sub_DrawPage(CDC& dc) {
    bool bPrevEnabled = m_nPage > 1;
    bool bNextEnabled = m_nPage * ENTRIES_PER_PAGE < m_nEntryCount;
    HighlightButton(dc, PrevPageButton(), bPrevEnabled);
    HighlightButton(dc, NextPageButton(), bNextEnabled);
    SetBkMode(dc.m_hDC, TRANSPARENT);

    int y = 5;
    int nFirst = ENTRIES_PER_PAGE * (m_nPage - 1);
    for (int i = nFirst; i < nFirst + ENTRIES_PER_PAGE && i < PAGE_STORE_SIZE; i++) {
        const EntryRecord& entry = m_aEntry[i];
        if (entry.bLoaded != 1) continue;
        SetTextColor(dc.m_hDC, GREEN);
        DrawText(dc, 110, y, "●");
        SetTextColor(dc.m_hDC, BLACK);
        DrawText(dc, 130, y, entry.szName);
        for (int j = 0; j < 5; j++) DrawText(dc, 110, y + LINE_PITCH * (j + 1), entry.szLine[j]);
        y += ENTRY_PITCH;
    }

    char szPage[32];
    snprintf(szPage, sizeof szPage, "―　%d　―", m_nPage);
    DrawText(dc, 380, 580, szPage);
    if (bPrevEnabled) DrawText(dc, 9, 503, "前ページへ");
    if (bNextEnabled) DrawText(dc, 9, 543, "次ページへ");
    for (int nLine = 1; nLine <= 4; nLine++) DrawLine(dc, 115, 116 * nLine, 785, 116 * nLine);
}

void CMain::m_sub_DrawHelp(CDC& dc) {
    for (size_t i = 0; i < sizeof s_aHelp / sizeof s_aHelp[0]; i++) DrawText(dc, s_aHelp[i].x, s_aHelp[i].y, s_aHelp[i].pszText);
}
