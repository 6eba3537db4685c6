#pragma once

#include "driver/driver.h"

namespace wordoria::platform {

HFONT CreateDialogFontHandle(const FontRequest& request);
DialogBaseUnits BaseUnitsOfFont(const FontRequest& request);

}  // namespace wordoria::platform
