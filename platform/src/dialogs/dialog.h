#pragma once

#include <windows.h>

#include "dialogs/resources.h"

namespace wordoria::platform {

struct DialogUnits {
    int baseX;  // average character width of the dialog font, in pixels
    int baseY;  // its character height
    RECT ToPixels(int x, int y, int cx, int cy) const;
};


}  // namespace wordoria::platform
