#include "main_content.h"

#include "../dialogs/delete_dialog.h"
#include "../dialogs/regist_dialog.h"

#include <resource.h>

CMain::CMain()
    : m_hInstance(NULL),
      m_hWndMain(NULL),
      m_hDlgRegist(NULL),
      m_hDlgDelete(NULL),
      m_bHover(false),
      m_nMode(MODE_VIEW),
      m_bShown(false),
      m_nPage(0),
      m_nEntryCount(0),
      m_nButtonHover(0) {
    SetRect(&m_rcLitCell, 0, 0, 0, 0);
}

CMain::~CMain() {}

bool CMain::m_sub_Init(HWND hWndMain, HINSTANCE hInstance) {
    m_hInstance = hInstance;
    m_hWndMain = hWndMain;
    m_bHover = false;

    // Both dialogs start hidden and cover the whole client area once moved.
    m_hDlgRegist = CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_REGIST), hWndMain, RegistDlgProc, 0);
    MoveWindow(m_hDlgRegist, 0, 0, 800, 600, TRUE);
    m_hDlgDelete = CreateDialogParamA(hInstance, MAKEINTRESOURCEA(IDD_DELETE), hWndMain, DeleteDlgProc, 0);
    MoveWindow(m_hDlgDelete, 0, 0, 800, 600, TRUE);

    // After both dialogs exist, so nothing their initialisation set survives.
    m_nMode = MODE_VIEW;
    m_bShown = false;
    g_RegistState.entry.nCategory = 0;
    m_nPage = 0;
    m_nEntryCount = 0;
    m_nButtonHover = 0;
    g_nDeleteCategory = 0;
    return true;
}

bool CMain::m_sub_SwitchDisplay(CDC& dc) {
    switch (m_nMode) {
    case MODE_VIEW:
        if (!m_bShown) {
            ShowWindow(m_hDlgRegist, SW_HIDE);
            ShowWindow(m_hDlgDelete, SW_HIDE);
        }
        m_sub_DrawView(dc);
        m_bShown = true;
        break;
    case MODE_REGIST:
        if (!m_bShown) m_sub_ShowDialog(m_hDlgRegist, m_hDlgDelete);
        break;
    case MODE_DELETE:
        if (!m_bShown) m_sub_ShowDialog(m_hDlgDelete, m_hDlgRegist);
        break;
    }
    return true;
}

// Once per change of mode: later paints leave the dialogs as they are.
void CMain::m_sub_ShowDialog(HWND hDlgShow, HWND hDlgHide) {
    ShowWindow(hDlgHide, SW_HIDE);
    ShowWindow(hDlgShow, SW_SHOW);
    SetActiveWindow(hDlgShow);
    m_bShown = true;
}
