#pragma once

#include "driver/driver.h"

#include <memory>

namespace wordoria::platform {

// A message box's window on screen: a QMessageBox shown without Qt's own
// modal loop (the core's loop waits for it), whose buttons come to the box's
// window as WM_COMMAND.
std::unique_ptr<NativeWindow> CreateQtMessageBox(Window& window, const MessageBoxRequest& request);

}  // namespace wordoria::platform
