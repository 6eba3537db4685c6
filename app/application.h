// The one application object: the main window, the content object and the
// arguments WinMain was given.
#ifndef WORDORIA_APP_APPLICATION_H
#define WORDORIA_APP_APPLICATION_H

#include <windows.h>

#include "main_content.h"
#include "window.h"

class CApplication {
public:
    CApplication();
    ~CApplication();

    virtual bool m_sub_Init();
    virtual bool m_sub_OnHook(int nValue);

    int m_sub_Run();
    // One turn of the main loop without its rest; false once the quit message came.
    bool m_sub_Turn(int* pnExitCode);

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    CWindow m_wnd;
    CMain m_main;
};

extern CApplication g_App;

#endif
