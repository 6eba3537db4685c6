#include "window.h"

#include "main_content.h"

MouseState g_MouseState = {false, false, 0, 0};

CWindow* CWindow::s_pWindowList = NULL;
CWindow* CWindow::s_pCreating = NULL;

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { EndPaint(m_hWnd, &m_ps); }

CWindow::CWindow(int nClientWidth, int nClientHeight)
    : m_pNext(NULL),
      m_hInstance(NULL),
      m_nClientWidth(nClientWidth),
      m_nClientHeight(nClientHeight),
      m_hWnd(NULL),
      m_pMain(NULL),
      m_nRequestedMode(0) {}

// The window outlives the object's use: the process ends with both.
CWindow::~CWindow() {}

bool CWindow::m_sub_PreCreate(CREATESTRUCTA&) { return true; }

bool CWindow::m_sub_OnCreate(CREATESTRUCTA*) { return true; }

void CWindow::m_sub_OnDestroy() { PostQuitMessage(0); }

void CWindow::m_sub_OnInitMenuPopup(HMENU hMenu, UINT, bool bSysMenu) {
    if (bSysMenu) return;
    int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) m_sub_OnInitMenuItem(hMenu, GetMenuItemID(hMenu, i));
}

void CWindow::m_sub_OnInitMenuItem(HMENU, UINT) {}

bool CWindow::m_sub_OnHook(int) { return false; }

bool CWindow::m_sub_Create(HINSTANCE hInstance, CWindow* pParent, HMENU hMenu) {
    m_hInstance = hInstance;
    CREATESTRUCTA cs;
    cs.lpCreateParams = NULL;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = pParent != NULL ? pParent->m_hWnd : NULL;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size: no sizing border, no maximise box
    cs.lpszName = "Wordoria";
    cs.lpszClass = NULL;
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    if (!m_sub_PreCreate(cs)) return false;
    if (cs.lpszClass == NULL) {
        cs.lpszClass = "Window";
        if (!m_sub_RegisterWndClass(cs.lpszClass)) return false;
    }

    s_pCreating = this;
    m_hWnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                             cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (s_pCreating != NULL) {
        // No message reached the procedure: no later window may bind to this object.
        s_pCreating = NULL;
        return false;
    }
    if (m_hWnd == NULL) return false;

    // The frame, caption and menu take what they take; the client area gets exactly its size.
    RECT rcClient, rcWindow;
    GetClientRect(m_hWnd, &rcClient);
    GetWindowRect(m_hWnd, &rcWindow);
    int nFrameWidth = (rcWindow.right - rcWindow.left) - (rcClient.right - rcClient.left);
    int nFrameHeight = (rcWindow.bottom - rcWindow.top) - (rcClient.bottom - rcClient.top);
    SetWindowPos(m_hWnd, NULL, 0, 0, m_nClientWidth + nFrameWidth, m_nClientHeight + nFrameHeight, SWP_NOMOVE);
    return true;
}

bool CWindow::m_sub_RegisterWndClass(LPCSTR lpszClassName) {
    WNDCLASSA wc;
    if (GetClassInfoA(m_hInstance, lpszClassName, &wc)) {
        MessageBoxA(NULL, "CWindow::m_sub_RegisterWndClass()", "登録済み\n", MB_OK);
        return true;
    }
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = m_sub_StaticWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = m_hInstance;
    wc.hIcon = NULL;
    wc.hCursor = NULL;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszMenuName = NULL;
    wc.lpszClassName = lpszClassName;
    if (RegisterClassA(&wc) == 0) {
        MessageBoxA(NULL, "CWindow::m_sub_RegisterWndClass()", "ウインドウクラス登録に失敗しました。\n", MB_OK);
        return false;
    }
    return true;
}

LRESULT CALLBACK CWindow::m_sub_StaticWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWindow = s_pWindowList;
    while (pWindow != NULL && pWindow->m_hWnd != hWnd) pWindow = pWindow->m_pNext;
    if (pWindow == NULL) {
        if (s_pCreating == NULL) return DefWindowProcA(hWnd, uMsg, wParam, lParam);
        // The first message of a window being created binds it, whichever it is.
        pWindow = s_pCreating;
        pWindow->m_pNext = s_pWindowList;
        s_pWindowList = pWindow;
        pWindow->m_hWnd = hWnd;
        s_pCreating = NULL;
    }
    return pWindow->m_sub_WndProc(uMsg, wParam, lParam);
}

void CWindow::m_sub_Unlink() {
    CWindow** ppLink = &s_pWindowList;
    while (*ppLink != NULL && *ppLink != this) ppLink = &(*ppLink)->m_pNext;
    if (*ppLink == this) *ppLink = m_pNext;
}

void CWindow::m_sub_SetMousePosition(LPARAM lParam) {
    g_MouseState.nX = LOWORD(lParam);
    g_MouseState.nY = HIWORD(lParam);
}

LRESULT CWindow::m_sub_WndProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE: return m_sub_OnCreate((CREATESTRUCTA*)lParam) ? 0 : -1;
    case WM_DESTROY: m_sub_OnDestroy(); return 0;
    case WM_PAINT: m_sub_OnPaint(); return 0;
    case WM_CLOSE:
        if (MessageBoxA(m_hWnd, "アプリケーションを終了します。\n宜しいですか？。", "確認メッセージ", MB_YESNO) == IDYES)
            m_sub_OnDestroy();
        return 0;
    case WM_NCDESTROY: m_sub_Unlink(); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) m_sub_OnDestroy();
        return 0;
    case WM_COMMAND: m_sub_OnCommand(HIWORD(wParam), LOWORD(wParam), (HWND)lParam); return 0;
    case WM_INITMENUPOPUP: m_sub_OnInitMenuPopup((HMENU)wParam, LOWORD(lParam), HIWORD(lParam) != 0); return 0;
    case WM_MOUSEMOVE: m_sub_SetMousePosition(lParam); return 0;
    case WM_LBUTTONDOWN:
        m_sub_SetMousePosition(lParam);
        g_MouseState.bLButton = true;
        return 0;
    case WM_LBUTTONUP: g_MouseState.bLButton = false; return 0;
    case WM_RBUTTONDOWN:
        m_sub_SetMousePosition(lParam);
        g_MouseState.bRButton = true;
        return 0;
    case WM_RBUTTONUP: g_MouseState.bRButton = false; return 0;
    default: return DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
    }
}
