// Drawing into a window's backing image: stock objects, rectangles, text and
// one-pixel lines, clipped to what the device context may paint.
#include <windows.h>

#include <platform/testing.h>

#include "device_context.h"
#include "native_qt.h"
#include "window.h"

#include <QPainter>
#include <QRegion>
#include <cstdlib>

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
GdiObject systemBrushes[SYSTEM_COLOR_COUNT];

GdiObject* ObjectOf(HGDIOBJ handle) {
    for (GdiObject& object : stockObjects) {
        if (handle == reinterpret_cast<HGDIOBJ>(&object)) return &object;
    }
    for (GdiObject& object : systemBrushes) {
        if (handle == reinterpret_cast<HGDIOBJ>(&object)) return &object;
    }
    return nullptr;
}

QImage* CanvasOf(const DeviceContext& context) {
    Window* window = FindWindowObject(context.window);
    return window != nullptr ? static_cast<QImage*>(window->native->Canvas()) : nullptr;
}

QRegion ClipOf(const DeviceContext& context) {
    QRegion clip;
    for (const RECT& r : context.clip.Rects()) clip += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return clip;
}

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

// Marks what the operation may have touched, within the clip, as changed.
void NoteChanged(DeviceContext& context, const RECT& area) {
    for (const RECT& clip : context.clip.Rects()) context.changed.Add(Intersection(clip, area));
}

void Record(const testing::GdiCall& call) {
    if (auto* recorder = testing::ActiveGdiRecorder()) recorder->Record(call);
}

void PutPixel(QImage& image, const QRegion& clip, int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height() || !clip.contains(QPoint(x, y))) return;
    image.setPixel(x, y, color);
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

namespace wordoria::testing {
namespace {
GdiRecorder* activeRecorder = nullptr;
}
GdiRecorder::GdiRecorder() : previous_(activeRecorder) { activeRecorder = this; }
GdiRecorder::~GdiRecorder() { activeRecorder = previous_; }
GdiRecorder* ActiveGdiRecorder() { return activeRecorder; }
}  // namespace wordoria::testing

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= STOCK_COUNT) return nullptr;
    return reinterpret_cast<HGDIOBJ>(&stockObjects[i]);
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= SYSTEM_COLOR_COUNT) return nullptr;
    systemBrushes[nIndex] = GdiObject{GdiObject::Brush, SystemColor(nIndex), false};
    return reinterpret_cast<HBRUSH>(&systemBrushes[nIndex]);
}

DWORD WINAPI GetSysColor(int nIndex) { return SystemColor(nIndex); }

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* context = FindDeviceContext(hdc);
    GdiObject* object = ObjectOf(h);
    if (context == nullptr || object == nullptr) return nullptr;
    HGDIOBJ* slot = object->kind == GdiObject::Brush ? &context->brush
                    : object->kind == GdiObject::Pen ? &context->pen
                                                     : &context->font;
    HGDIOBJ previous = *slot;
    *slot = h;
    return previous;
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* context = FindDeviceContext(hDC);
    COLORREF color;
    if (context == nullptr || lprc == nullptr || !BrushColor(hbr, &color)) return 0;
    Record({wordoria::testing::GdiCall::Fill, context->window, *lprc, {0, 0}, {0, 0}, {}, color, 0});
    QImage* image = CanvasOf(*context);
    if (image == nullptr || IsEmpty(*lprc)) return 1;
    QPainter painter(image);
    painter.setClipRegion(ClipOf(*context));
    painter.fillRect(QRect(lprc->left, lprc->top, lprc->right - lprc->left, lprc->bottom - lprc->top), ToQColor(color));
    NoteChanged(*context, *lprc);
    return 1;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || lpString == nullptr || c < 0) return FALSE;
    std::string bytes(lpString, static_cast<size_t>(c));
    Record({wordoria::testing::GdiCall::Text, context->window, {0, 0, 0, 0}, {x, y}, {x, y}, bytes, context->textColor,
            context->backMode});
    QImage* image = CanvasOf(*context);
    if (image == nullptr) return TRUE;
    QPainter painter(image);
    painter.setClipRegion(ClipOf(*context));
    QFont font = SystemFont();
    painter.setFont(font);
    QFontMetrics metrics(font);
    QString text = ToQString(bytes);
    QRect cell(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (context->backMode == OPAQUE) painter.fillRect(cell, ToQColor(context->backColor));
    painter.setPen(ToQColor(context->textColor));
    painter.drawText(x, y + metrics.ascent(), text);
    NoteChanged(*context, RECT{cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1});
    return TRUE;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    int previous = context->backMode;
    context->backMode = mode;
    return previous;
}

int WINAPI GetBkMode(HDC hdc) {
    DeviceContext* context = FindDeviceContext(hdc);
    return context != nullptr ? context->backMode : 0;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return CLR_INVALID;
    COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    DeviceContext* context = FindDeviceContext(hdc);
    return context != nullptr ? context->textColor : CLR_INVALID;
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

// Bresenham from the current position; like Win32, the end point is left out.
BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* context = FindDeviceContext(hdc);
    if (context == nullptr) return FALSE;
    POINT from = context->position;
    GdiObject* pen = ObjectOf(context->pen);
    COLORREF color = pen != nullptr ? pen->color : RGB(0, 0, 0);
    Record({wordoria::testing::GdiCall::Line, context->window, {0, 0, 0, 0}, from, {x, y}, {}, color, 0});
    context->position = POINT{x, y};
    QImage* image = CanvasOf(*context);
    if (image == nullptr || (pen != nullptr && pen->hollow)) return TRUE;
    QRegion clip = ClipOf(*context);
    QRgb rgb = ToQColor(color).rgb();
    int dx = std::abs(x - from.x), sx = from.x < x ? 1 : -1;
    int dy = -std::abs(y - from.y), sy = from.y < y ? 1 : -1;
    int error = dx + dy;
    int px = from.x, py = from.y;
    while (px != x || py != y) {
        PutPixel(*image, clip, px, py, rgb);
        int twice = 2 * error;
        if (twice >= dy) error += dy, px += sx;
        if (twice <= dx) error += dx, py += sy;
    }
    NoteChanged(*context, RECT{std::min<LONG>(from.x, x), std::min<LONG>(from.y, y), std::max<LONG>(from.x, x) + 1,
                               std::max<LONG>(from.y, y) + 1});
    return TRUE;
}
