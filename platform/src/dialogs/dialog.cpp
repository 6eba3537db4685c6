// Modeless dialogs made from the program's dialog templates.
#include "dialogs/dialog.h"

#include "base/last_error.h"
#include "driver/driver.h"
#include "text/text_encoding.h"
#include "windows/window.h"

namespace wordoria::platform {
namespace {

const char* const DIALOG_CLASS = "#32770";

int MulDivRounded(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>(product >= 0 ? (product + denominator / 2) / denominator
                                         : (product - denominator / 2) / denominator);
}

// What a dialog procedure leaves unanswered gets the default handling, which
// ignores commands and paints the dialog's face.
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindowObject(hwnd);
    if (window != nullptr && window->dialogProc != nullptr) {
        INT_PTR handled = window->dialogProc(hwnd, message, wParam, lParam);
        if (handled) return message == WM_INITDIALOG ? handled : TRUE;
    }
    switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_INITDIALOG: return FALSE;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void EnsureDialogClass() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WindowClass dialogClass;
    dialogClass.name = DIALOG_CLASS;
    dialogClass.proc = DialogWindowProc;
    dialogClass.background = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
    RegisterBuiltinClass(std::move(dialogClass));
}

// A template without a font gets the one a Japanese Windows gives.
FontRequest FontOfTemplate(const DialogResource& resource) {
    return FontRequest{resource.fontFace.empty() ? "MS UI Gothic" : resource.fontFace,
                       resource.pointSize > 0 ? resource.pointSize : 9, resource.weight, resource.italic};
}

HWND CreateControl(HWND dialog, HINSTANCE instance, const ControlTemplate& control, const DialogUnits& units,
                   HFONT font) {
    RECT rect = units.ToPixels(control.x, control.y, control.cx, control.cy);
    std::string text = Utf8ToAnsi(control.text);
    std::string className = Utf8ToAnsi(control.className);
    HWND handle = CreateWindowExA(control.exStyle, className.c_str(), text.c_str(), control.style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<intptr_t>(control.id)), instance, nullptr);
    if (handle != nullptr) SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return handle;
}

HWND FirstTabStop(const Window& dialog) {
    for (HWND child : dialog.children) {
        Window* control = FindWindowObject(child);
        if (control != nullptr && (control->style & WS_TABSTOP)) return child;
    }
    return nullptr;
}

}  // namespace

RECT DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    int left = MulDivRounded(x, baseX, 4);
    int top = MulDivRounded(y, baseY, 8);
    return RECT{left, top, left + MulDivRounded(cx, baseX, 4), top + MulDivRounded(cy, baseY, 8)};
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
    if (!IS_INTRESOURCE(lpTemplateName)) return nullptr;  // the program names its resources by number
    const DialogResource* resource =
        ProgramResources().FindDialog(static_cast<int>(reinterpret_cast<uintptr_t>(lpTemplateName)));
    if (resource == nullptr) {
        SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
        return nullptr;
    }
    EnsureDialogClass();
    FontRequest fontRequest = FontOfTemplate(*resource);
    DialogBaseUnits base = TheDriver().BaseUnitsOf(fontRequest);
    DialogUnits units{base.averageWidth, base.height};
    HFONT font = TheDriver().CreateDialogFont(fontRequest);
    RECT rect = units.ToPixels(resource->x, resource->y, resource->cx, resource->cy);
    std::string caption = Utf8ToAnsi(resource->caption);
    HWND dialog = CreateWindowExA(resource->exStyle, DIALOG_CLASS, caption.c_str(), resource->style & ~WS_VISIBLE,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                                  nullptr, hInstance, nullptr);
    if (dialog == nullptr) return nullptr;
    FindWindowObject(dialog)->dialogProc = lpDialogFunc;
    SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const ControlTemplate& control : resource->controls) CreateControl(dialog, hInstance, control, units, font);
    Window* window = FindWindowObject(dialog);
    if (window == nullptr) return nullptr;
    HWND focus = FirstTabStop(*window);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), dwInitParam) && focus != nullptr)
        SetFocus(focus);
    if (!IsWindow(dialog)) return nullptr;
    if (resource->style & WS_VISIBLE) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* dialog = FindWindowObject(hDlg);
    if (dialog == nullptr) return nullptr;
    for (HWND child : dialog->children) {
        Window* control = FindWindowObject(child);
        if (control != nullptr && control->id == nIDDlgItem) return child;
    }
    SetLastError(1421);  // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
    Window* window = FindWindowObject(hWnd);
    return window != nullptr && window->IsChild() ? window->id : 0;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (item == nullptr) {
        if (lpString != nullptr && cchMax > 0) lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, lpString, cchMax));
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item != nullptr && SetWindowTextA(item, lpString);
}
