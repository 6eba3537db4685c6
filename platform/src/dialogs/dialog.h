#pragma once

#include <windows.h>

#include "dialogs/resources.h"

namespace wordoria::platform {

struct DialogUnits {
    int baseX;  // average character width of the dialog font, in pixels
    int baseY;  // its character height
    RECT ToPixels(int x, int y, int cx, int cy) const;
};

// The dialog font of a template, as a font handle, and its base units.
HFONT DialogFontHandle(const DialogResource& resource);
DialogUnits DialogUnitsOf(const DialogResource& resource);

}  // namespace wordoria::platform
