// The window framework: CWindow binds a window handle to an object and turns
// messages into calls of its handlers; CDC and CPaintDC wrap a device context.
#ifndef WORDORIA_APP_WINDOW_H
#define WORDORIA_APP_WINDOW_H

#include <windows.h>

class CMain;

// The pointer as the main window last saw it; the view reads it.
struct MouseState {
    bool bRButton;
    bool bLButton;
    int nX;
    int nY;
};
extern MouseState g_MouseState;

class CDC {
public:
    CDC() : m_hDC(NULL) {}
    virtual ~CDC() {}

    HDC m_hDC;
};

// Begins the paint when constructed and ends it when destroyed.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    virtual ~CPaintDC();

    HWND m_hWnd;
    PAINTSTRUCT m_ps;

private:
    CPaintDC(const CPaintDC&);
    CPaintDC& operator=(const CPaintDC&);
};

class CWindow {
public:
    CWindow(int nClientWidth, int nClientHeight);
    virtual ~CWindow();

    virtual bool m_sub_PreCreate(CREATESTRUCTA& cs);
    virtual LRESULT m_sub_WndProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual bool m_sub_OnCreate(CREATESTRUCTA* pcs);
    virtual void m_sub_OnPaint();
    virtual void m_sub_OnDestroy();
    virtual void m_sub_OnInitMenuPopup(HMENU hMenu, UINT nPos, bool bSysMenu);
    virtual void m_sub_OnInitMenuItem(HMENU hMenu, UINT nId);
    virtual void m_sub_OnCommand(UINT nCode, UINT nId, HWND hWndCtl);
    virtual bool m_sub_OnHook(int nValue);

    bool m_sub_Create(HINSTANCE hInstance, CWindow* pParent, HMENU hMenu);
    bool m_sub_RegisterWndClass(LPCSTR lpszClassName);
    static LRESULT CALLBACK m_sub_StaticWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    CWindow* m_pNext;
    HINSTANCE m_hInstance;
    int m_nClientWidth;
    int m_nClientHeight;
    HWND m_hWnd;
    CMain* m_pMain;
    int m_nRequestedMode;

    static CWindow* s_pWindowList;
    static CWindow* s_pCreating;

private:
    void m_sub_Unlink();
    void m_sub_SetMousePosition(LPARAM lParam);
};

#endif
