// The predefined control classes: BUTTON, EDIT, STATIC and LISTBOX.
#pragma once

#include <windows.h>

namespace wordoria::platform {

// Registers the control classes once; CreateWindowExA calls it first.
void EnsureBuiltinControls();

}  // namespace wordoria::platform
