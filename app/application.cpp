#include "application.h"

#include "code_page_notice.h"

#include <resource.h>

CApplication g_App;

CApplication::CApplication() : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(0), m_wnd(800, 600) {}

// Windows, menus and classes are the system's to reclaim when the process ends.
CApplication::~CApplication() {
    m_hInstance = NULL;
    m_lpCmdLine = NULL;
    m_nCmdShow = 0;
}

bool CApplication::m_sub_OnHook(int) { return true; }

bool CApplication::m_sub_Init() {
    HMENU hMenu = LoadMenuA(m_hInstance, MAKEINTRESOURCEA(IDR_MAINMENU));
    if (!m_wnd.m_sub_Create(m_hInstance, NULL, hMenu)) return false;
    m_wnd.m_nRequestedMode = MODE_VIEW;
    ShowWindow(m_wnd.m_hWnd, m_nCmdShow);
    if (!m_main.m_sub_Init(m_wnd.m_hWnd, m_hInstance)) return false;
    // Before the loop dispatches anything, so every paint finds the content.
    m_wnd.m_pMain = &m_main;
    return true;
}

// Polls instead of waiting: one message a turn, then the view follows the
// pointer, a newly chosen mode is adopted, and the thread rests 5 ms.
int CApplication::m_sub_Run() {
    int nExitCode = 0;
    while (m_sub_Turn(&nExitCode)) Sleep(5);
    return nExitCode;
}

bool CApplication::m_sub_Turn(int* pnExitCode) {
    MSG msg;
    if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *pnExitCode = (int)msg.wParam;
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_main.m_sub_HitTest();
    int nRequested = m_wnd.m_nRequestedMode;
    if (m_main.m_nMode != nRequested) {
        m_main.m_bShown = false;
        RECT rcClient = {0, 0, 800, 600};
        InvalidateRect(m_main.m_hWndMain, &rcClient, TRUE);
    }
    m_main.m_nMode = nRequested;
    return true;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
    g_App.m_hInstance = hInstance;
    g_App.m_lpCmdLine = lpCmdLine;
    g_App.m_nCmdShow = nCmdShow;
    NoticeForeignCodePage();
    if (!g_App.m_sub_Init()) return -1;
    return g_App.m_sub_Run();
}
