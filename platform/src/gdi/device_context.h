// Device contexts: where painting goes and with which colours, pen and clip.
#pragma once

#include <windows.h>

#include "driver/driver.h"
#include "painting/region.h"

namespace wordoria::platform {

struct DeviceContext {
    HWND window = nullptr;
    Canvas* canvas = nullptr;  // null: drawing goes nowhere
    Region clip;               // client coordinates; painting outside it is dropped
    Region changed;            // what was painted, to be shown on screen
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backColor = RGB(255, 255, 255);
    int backMode = OPAQUE;
    POINT position{0, 0};
    HGDIOBJ pen = nullptr;
};

HDC OpenDeviceContext(HWND window, Canvas* canvas, Region clip);
DeviceContext* FindDeviceContext(HDC dc);
// Lets the canvas go of the drawing and forgets the context.
void ReleaseDeviceContext(HDC dc);

// The colour a brush paints: stock brushes and the COLOR_xxx + 1 values a
// window class may give.
bool BrushColor(HBRUSH brush, COLORREF* color);
COLORREF SystemColor(int index);

}  // namespace wordoria::platform
