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

    // The view (index panel, pages, help page).
    void m_sub_DrawView(CDC& dc);
    void m_sub_HitTest();

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
};

#endif
