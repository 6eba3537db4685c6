#pragma once

#include "driver/driver.h"

#include <memory>

namespace wordoria::platform {

std::unique_ptr<NativeMessageBox> OpenQtMessageBox(const MessageBoxRequest& request);

}  // namespace wordoria::platform
