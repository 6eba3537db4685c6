// Stock objects, colours and the drawing calls of a device context. What is
// drawn goes to the window's canvas, clipped to what the context may paint.
#include <windows.h>

#include "gdi/device_context.h"

#include <cstdint>
#include <string_view>

namespace wordoria::platform {
namespace {

struct GdiObject {
    enum Kind { Brush, Pen, Font } kind;
    COLORREF color;
    bool hollow;
};

GdiObject stockObjects[] = {
    {GdiObject::Brush, RGB(255, 255, 255), false},  // WHITE_BRUSH
    {GdiObject::Brush, RGB(192, 192, 192), false},  // LTGRAY_BRUSH
    {GdiObject::Brush, RGB(128, 128, 128), false},  // GRAY_BRUSH
    {GdiObject::Brush, RGB(64, 64, 64), false},     // DKGRAY_BRUSH
    {GdiObject::Brush, RGB(0, 0, 0), false},        // BLACK_BRUSH
    {GdiObject::Brush, 0, true},                    // NULL_BRUSH
    {GdiObject::Pen, RGB(255, 255, 255), false},    // WHITE_PEN
    {GdiObject::Pen, RGB(0, 0, 0), false},          // BLACK_PEN
    {GdiObject::Pen, 0, true},                      // NULL_PEN
    {GdiObject::Font, 0, false},                    // 9: OEM_FIXED_FONT
    {GdiObject::Font, 0, false},                    // ANSI_FIXED_FONT
    {GdiObject::Font, 0, false},                    // ANSI_VAR_FONT
    {GdiObject::Font, 0, false},                    // 12: unused
    {GdiObject::Font, 0, false},                    // SYSTEM_FONT
    {GdiObject::Font, 0, false},                    // DEVICE_DEFAULT_FONT
    {GdiObject::Font, 0, false},                    // DEFAULT_PALETTE stands here as nothing
    {GdiObject::Font, 0, false},                    // SYSTEM_FIXED_FONT
    {GdiObject::Font, 0, false},                    // DEFAULT_GUI_FONT
};
const int STOCK_COUNT = sizeof stockObjects / sizeof stockObjects[0];

const int SYSTEM_COLOR_COUNT = 31;

// A handle is the address of its object in the stock table.
GdiObject* ObjectOf(HGDIOBJ handle) {
    auto address = reinterpret_cast<uintptr_t>(handle);
    auto first = reinterpret_cast<uintptr_t>(&stockObjects[0]);
    if (address < first || address >= first + sizeof stockObjects) return nullptr;
    if ((address - first) % sizeof(GdiObject) != 0) return nullptr;
    return &stockObjects[(address - first) / sizeof(GdiObject)];
}

}  // namespace

COLORREF SystemColor(int index) {
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 0, 0);
    default: return RGB(255, 255, 255);
    }
}

bool BrushColor(HBRUSH brush, COLORREF* color) {
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= SYSTEM_COLOR_COUNT) {  // COLOR_xxx + 1, as a class may give it
        *color = SystemColor(static_cast<int>(value) - 1);
        return true;
    }
    GdiObject* object = ObjectOf(brush);
    if (object == nullptr || object->kind != GdiObject::Brush || object->hollow) return false;
    *color = object->color;
    return true;
}

}  // namespace wordoria::platform

using namespace wordoria::platform;

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= STOCK_COUNT) return nullptr;
    return reinterpret_cast<HGDIOBJ>(&stockObjects[i]);
}

DWORD WINAPI GetSysColor(int nIndex) { return SystemColor(nIndex); }

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* context = FindDeviceContext(hDC);
    COLORREF color;
    if (context == nullptr || lprc == nullptr || !BrushColor(hbr, &color)) return 0;
    if (context->canvas != nullptr) context->canvas->Fill(context->clip, *lprc, color, &context->changed);
    return 1;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || lpString == nullptr || c < 0) return FALSE;
    if (context->canvas != nullptr) {
        context->canvas->Text(context->clip, POINT{x, y}, std::string_view(lpString, static_cast<size_t>(c)),
                              TextColors{context->textColor, context->backColor, context->backMode},
                              &context->changed);
    }
    return TRUE;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int previous = context->backMode;
    context->backMode = mode;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return CLR_INVALID;
    COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return CLR_INVALID;
    COLORREF previous = context->backColor;
    context->backColor = color;
    return previous;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return FALSE;
    if (lppt != nullptr) *lppt = context->position;
    context->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return FALSE;
    POINT from = context->position;
    context->position = POINT{x, y};
    GdiObject* pen = ObjectOf(context->pen);
    if (pen != nullptr && pen->hollow) return TRUE;
    COLORREF color = pen != nullptr ? pen->color : RGB(0, 0, 0);
    if (context->canvas != nullptr) context->canvas->Line(context->clip, from, POINT{x, y}, color, &context->changed);
    return TRUE;
}
