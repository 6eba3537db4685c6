// Device contexts: where painting goes and with which colours, pen and clip.
#pragma once

#include <windows.h>

#include "painting/region.h"

#include <memory>

namespace wordoria::platform {

// The drawing state on the Qt side, opened at the first drawing of a DC.
struct NativePainter;
void ClosePainter(NativePainter* painter);

struct DeviceContext {
    HWND window = nullptr;
    Region clip;             // client coordinates; painting outside it is dropped
    Region changed;          // what was painted, to be shown on screen
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF backColor = RGB(255, 255, 255);
    int backMode = OPAQUE;
    POINT position{0, 0};
    HGDIOBJ pen = nullptr;
    std::unique_ptr<NativePainter, void (*)(NativePainter*)> painter{nullptr, ClosePainter};
};

// A DC for painting the whole client area or, with a region, just that part.
HDC OpenDeviceContext(HWND window, Region clip);
DeviceContext* FindDeviceContext(HDC dc);
// Shows what was painted and releases the DC.
void CloseDeviceContext(HDC dc);

// The colour a brush paints: stock brushes and the COLOR_xxx + 1 values a
// window class may give.
bool BrushColor(HBRUSH brush, COLORREF* color);
COLORREF SystemColor(int index);

}  // namespace wordoria::platform
