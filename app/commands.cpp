// The main window's menu commands and its paint handler.
#include "main_content.h"
#include "window.h"

#include <resource.h>

void CWindow::m_sub_OnCommand(UINT, UINT nId, HWND) {
    switch (nId) {
    case IDM_MODE_VIEW: m_nRequestedMode = MODE_VIEW; break;
    case IDM_MODE_REGIST: m_nRequestedMode = MODE_REGIST; break;
    case IDM_MODE_DELETE: m_nRequestedMode = MODE_DELETE; break;
    case IDM_APP_EXIT:
    case IDCLOSE: SendMessageA(m_hWnd, WM_CLOSE, 0, 0); break;
    case IDM_HELP_ABOUT:
        MessageBoxA(m_hWnd, "Wordoria  version1.0\n自分だけの単語帳  (c) 2026 Wordoria の開発者一同", "バージョン情報",
                    MB_OK);
        break;
    }
}

void CWindow::m_sub_OnPaint() {
    CPaintDC dc(m_hWnd);
    if (m_pMain != NULL) m_pMain->m_sub_SwitchDisplay(dc);
}
