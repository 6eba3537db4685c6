// The deletion dialog (template 104).
#ifndef WORDORIA_DIALOGS_DELETE_DIALOG_H
#define WORDORIA_DIALOGS_DELETE_DIALOG_H

#include <windows.h>

// The category whose words the list shows; 0 before the first choice.
extern int g_nDeleteCategory;

INT_PTR CALLBACK DeleteDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

#endif
