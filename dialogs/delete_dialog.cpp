#include "delete_dialog.h"

int g_nDeleteCategory = 0;

// The deletion steps arrive with the deletion dialog's own work; until then
// every message is left to the default handling.
INT_PTR CALLBACK DeleteDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
