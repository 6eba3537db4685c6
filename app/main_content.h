// The content object: what the main window shows, the dialogs' handles, the
// current mode and the view's page store.
#ifndef WORDORIA_APP_MAIN_CONTENT_H
#define WORDORIA_APP_MAIN_CONTENT_H

#include <windows.h>

#include "window.h"

enum {
    MODE_VIEW = 0,
    MODE_REGIST = 1,
    MODE_DELETE = 2,
    PAGE_STORE_SIZE = 10000,
};

// One word entry as the view shows it.
struct EntryRecord {
    char szName[100];
    char szLine[5][100];
    char bLoaded;
};

class CMain {
public:
    CMain();
    virtual ~CMain();

    bool m_sub_Init(HWND hWndMain, HINSTANCE hInstance);
    bool m_sub_SwitchDisplay(CDC& dc);
    void m_sub_ShowDialog(HWND hDlgShow, HWND hDlgHide);

    // The view: index panel, page loading, pages and the help page.
    void m_sub_HitTest();
    void m_sub_DrawView(CDC& dc);
    void m_sub_DrawIndexPanel(CDC& dc);
    void m_sub_DrawPage(CDC& dc);
    void m_sub_DrawHelp(CDC& dc);
    void m_sub_LoadKana(int nRow, int nColumn);
    void m_sub_LoadLatin(int nRow, int nColumn);
    void m_sub_LoadSymbol();
    void m_sub_ReadWordFile(const char* pszPath);

    HINSTANCE m_hInstance;
    HWND m_hWndMain;
    HWND m_hDlgRegist;
    HWND m_hDlgDelete;
    bool m_bHover;
    int m_nMode;
    bool m_bShown;
    EntryRecord m_aEntry[PAGE_STORE_SIZE];
    int m_nPage;
    int m_nEntryCount;
    int m_nButtonHover;
    // The cell last lit under the pointer, so it is repainted plain once the pointer leaves.
    RECT m_rcLitCell;

private:
    void m_sub_LoadCategory(int nCategory);
    bool m_sub_HitCell(const RECT& rcCell, bool bActive, POINT pt);
    void m_sub_LeaveLitCell(POINT pt);
    void m_sub_HitPageButtons(POINT pt);
    bool m_sub_DrawCell(CDC& dc, const RECT& rcCell, bool bActive, POINT pt);
};

#endif
