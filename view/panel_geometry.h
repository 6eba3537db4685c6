// Where the index panel's cells and the page buttons lie, in client pixels.
#ifndef WORDORIA_VIEW_PANEL_GEOMETRY_H
#define WORDORIA_VIEW_PANEL_GEOMETRY_H

#include <windows.h>

enum {
    KANA_ROWS = 10,
    LATIN_ROWS = 6,
    GRID_COLUMNS = 5,
    ENTRIES_PER_PAGE = 5,
};

RECT KanaCell(int nRow, int nColumn);
RECT LatinCell(int nRow, int nColumn);
RECT SymbolCell();
RECT PrevPageButton();
RECT NextPageButton();
RECT WholeClient();

#endif
