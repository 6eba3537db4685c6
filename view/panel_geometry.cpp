#include "panel_geometry.h"

// Cells are 15 by 19 pixels, 16 apart across and 20 down: one full-width
// character of the system font each.
RECT KanaCell(int nRow, int nColumn) {
    RECT rc = {10 + 16 * nColumn, 40 + 20 * nRow, 25 + 16 * nColumn, 59 + 20 * nRow};
    return rc;
}

RECT LatinCell(int nRow, int nColumn) {
    RECT rc = {10 + 16 * nColumn, 260 + 20 * nRow, 25 + 16 * nColumn, 279 + 20 * nRow};
    return rc;
}

RECT SymbolCell() {
    RECT rc = {10, 400, 41, 419};
    return rc;
}

RECT PrevPageButton() {
    RECT rc = {5, 500, 95, 525};
    return rc;
}

RECT NextPageButton() {
    RECT rc = {5, 540, 95, 565};
    return rc;
}

RECT WholeClient() {
    RECT rc = {0, 0, 800, 600};
    return rc;
}
