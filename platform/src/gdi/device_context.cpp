#include "gdi/device_context.h"

#include "base/handle_table.h"

#include <utility>

namespace wordoria::platform {
namespace {

HandleTable<DeviceContext>& Contexts() {
    static HandleTable<DeviceContext> contexts;
    return contexts;
}

// The context asked for last: a paint asks for the same one call after call.
HDC lastHandle = nullptr;
DeviceContext* lastFound = nullptr;

}  // namespace

HDC OpenDeviceContext(HWND window, Canvas* canvas, Region clip) {
    HANDLE handle = Contexts().Open();
    DeviceContext* context = Contexts().Find(handle);
    context->window = window;
    context->canvas = canvas;
    context->clip = std::move(clip);
    context->pen = GetStockObject(BLACK_PEN);
    return reinterpret_cast<HDC>(handle);
}

DeviceContext* FindDeviceContext(HDC dc) {
    if (dc != nullptr && dc == lastHandle) return lastFound;
    DeviceContext* found = Contexts().Find(reinterpret_cast<HANDLE>(dc));
    if (found != nullptr) {
        lastHandle = dc;
        lastFound = found;
    }
    return found;
}

void ReleaseDeviceContext(HDC dc) {
    DeviceContext* context = FindDeviceContext(dc);
    if (context == nullptr) return;
    lastHandle = nullptr;
    lastFound = nullptr;
    if (context->canvas != nullptr) context->canvas->EndDrawing();
    Contexts().Close(reinterpret_cast<HANDLE>(dc));
}

}  // namespace wordoria::platform
