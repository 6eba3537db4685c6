// The fuzz targets never reach a message box; the store only needs the symbol.
#include <windows.h>

int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }
