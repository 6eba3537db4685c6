#include "panel_geometry.h"

namespace {

// Cells are 15 by 19 pixels, 16 apart across and 20 down: one full-width
// character of the system font each.
RECT GridCell(int nTop, int nRow, int nColumn) {
    RECT rc = {10 + 16 * nColumn, nTop + 20 * nRow, 25 + 16 * nColumn, nTop + 19 + 20 * nRow};
    return rc;
}

}  // namespace

RECT KanaCell(int nRow, int nColumn) { return GridCell(40, nRow, nColumn); }

RECT LatinCell(int nRow, int nColumn) { return GridCell(260, nRow, nColumn); }

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
