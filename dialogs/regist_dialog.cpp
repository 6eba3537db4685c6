#include "regist_dialog.h"

RegistState g_RegistState;

// The registration steps arrive with the registration dialog's own work;
// until then every message is left to the default handling.
INT_PTR CALLBACK RegistDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
