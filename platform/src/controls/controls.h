// The predefined control classes: BUTTON, EDIT, STATIC and LISTBOX.
#pragma once

#include <windows.h>

#include <QFont>

namespace wordoria::platform {

// Registers the control classes once; CreateWindowExA calls it first.
void EnsureBuiltinControls();

// Font handles as WM_SETFONT carries them: the dialog's font for its controls.
HFONT RegisterFont(const QFont& font);
bool FontOf(HFONT handle, QFont* font);

}  // namespace wordoria::platform
