// Font handles as WM_SETFONT carries them: the dialog's font for its controls.
#pragma once

#include <windows.h>

#include <QFont>

namespace wordoria::platform {

HFONT RegisterFont(const QFont& font);
bool FontOf(HFONT handle, QFont* font);

}  // namespace wordoria::platform
