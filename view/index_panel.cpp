// The index panel: following the pointer every loop turn, and drawing the
// cells, the highlight and the texts within a view paint.
#include "../app/main_content.h"
#include "panel_geometry.h"

#include <categories.h>
#include <string.h>

namespace {

const char* const s_apszKanaRow[KANA_ROWS] = {
    "あいうえお", "かきくけこ", "さしすせそ", "たちつてと", "なにぬねの",
    "はひふへほ", "まみむめも", "や　ゆ　よ", "らりるれろ", "わをん",
};

const char* const s_apszLatinRow[LATIN_ROWS] = {
    "ＡＢＣＤＥ", "ＦＧＨＩＪ", "ＫＬＭＮＯ", "ＰＱＲＳＴ", "ＵＶＷＸＹ", "Ｚ",
};

POINT MousePoint() {
    POINT pt = {g_MouseState.nX, g_MouseState.nY};
    return pt;
}

void DrawText(CDC& dc, int x, int y, const char* pszText) { TextOutA(dc.m_hDC, x, y, pszText, (int)strlen(pszText)); }

}  // namespace

// One cell of the kana, Latin or symbol scan; true when it holds the point.
bool CMain::m_sub_HitCell(const RECT& rcCell, bool bActive, POINT pt) {
    if (!PtInRect(&rcCell, pt)) return false;
    if (bActive && !m_bHover) {
        InvalidateRect(m_hWndMain, &rcCell, TRUE);
        m_bHover = true;
        m_rcLitCell = rcCell;
    }
    return true;
}

// The highlight goes with the pointer: the cell it left is drawn plain again.
void CMain::m_sub_LeaveLitCell(POINT pt) {
    if (IsRectEmpty(&m_rcLitCell) || PtInRect(&m_rcLitCell, pt)) return;
    InvalidateRect(m_hWndMain, &m_rcLitCell, TRUE);
    SetRect(&m_rcLitCell, 0, 0, 0, 0);
}

void CMain::m_sub_HitTest() {
    // A dialog covers the client area in the other modes, and Windows paints
    // a parent before its children: a cell invalidated there every turn would
    // keep the dialog from ever being painted.
    if (m_nMode != MODE_VIEW) return;
    POINT pt = MousePoint();
    for (int r = 0; r < KANA_ROWS; r++) {
        for (int c = 0; c < GRID_COLUMNS; c++) {
            // Every kana cell that misses the point clears the flag, so the
            // cell under the pointer is invalidated again each turn.
            if (!m_sub_HitCell(KanaCell(r, c), GetKanaCategory(r, c) != CATEGORY_NONE, pt)) m_bHover = false;
        }
    }
    for (int r = 0; r < LATIN_ROWS; r++) {
        for (int c = 0; c < GRID_COLUMNS; c++) m_sub_HitCell(LatinCell(r, c), GetLatinCategory(r, c) != CATEGORY_NONE, pt);
    }
    m_sub_HitCell(SymbolCell(), true, pt);
    m_sub_LeaveLitCell(pt);
    m_sub_HitPageButtons(pt);
}

// A press on an enabled page button turns the page; the hover state follows
// the pointer with one whole repaint per change. Disabled buttons do nothing.
void CMain::m_sub_HitPageButtons(POINT pt) {
    RECT rcAll = WholeClient();
    RECT rcPrev = PrevPageButton();
    RECT rcNext = NextPageButton();
    int nButton = 0;
    if (PtInRect(&rcPrev, pt)) {
        if (m_nPage <= 1) return;
        nButton = 1;
    } else if (PtInRect(&rcNext, pt)) {
        if (m_nPage * ENTRIES_PER_PAGE >= m_nEntryCount) return;
        nButton = 2;
    }
    if (nButton != 0 && g_MouseState.bLButton) {
        // One press turns one page: the press is taken here.
        m_nPage += nButton == 1 ? -1 : 1;
        g_MouseState.bLButton = false;
        InvalidateRect(m_hWndMain, &rcAll, TRUE);
    }
    if (m_nButtonHover != nButton) {
        InvalidateRect(m_hWndMain, &rcAll, TRUE);
        m_nButtonHover = nButton;
    }
}

// Lights the cell under the pointer; true when a press there is to load it.
bool CMain::m_sub_DrawCell(CDC& dc, const RECT& rcCell, bool bActive, POINT pt) {
    if (!bActive || !PtInRect(&rcCell, pt)) return false;
    FillRect(dc.m_hDC, &rcCell, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
    if (!g_MouseState.bLButton) return false;
    RECT rcAll = WholeClient();
    InvalidateRect(m_hWndMain, &rcAll, TRUE);
    g_MouseState.bLButton = false;
    return true;
}

void CMain::m_sub_DrawIndexPanel(CDC& dc) {
    SetBkMode(dc.m_hDC, TRANSPARENT);
    POINT pt = MousePoint();
    for (int r = 0; r < KANA_ROWS; r++) {
        for (int c = 0; c < GRID_COLUMNS; c++) {
            if (m_sub_DrawCell(dc, KanaCell(r, c), GetKanaCategory(r, c) != CATEGORY_NONE, pt)) m_sub_LoadKana(r, c);
        }
    }
    for (int r = 0; r < LATIN_ROWS; r++) {
        for (int c = 0; c < GRID_COLUMNS; c++) {
            if (m_sub_DrawCell(dc, LatinCell(r, c), GetLatinCategory(r, c) != CATEGORY_NONE, pt)) m_sub_LoadLatin(r, c);
        }
    }
    if (m_sub_DrawCell(dc, SymbolCell(), true, pt)) m_sub_LoadSymbol();

    DrawText(dc, 10, 10, "索引");
    for (int r = 0; r < KANA_ROWS; r++) DrawText(dc, 10, 40 + 20 * r, s_apszKanaRow[r]);
    for (int r = 0; r < LATIN_ROWS; r++) DrawText(dc, 10, 260 + 20 * r, s_apszLatinRow[r]);
    DrawText(dc, 10, 400, "記号");
    MoveToEx(dc.m_hDC, 100, 10, NULL);
    LineTo(dc.m_hDC, 100, 590);
}
