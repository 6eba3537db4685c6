#pragma once

#include <platform/testing.h>

namespace wordoria::testing {
MessageBoxHook* ActiveMessageBoxHook();
}

namespace wordoria::platform {

// Shows the box and waits for the user's answer; returns the IDxxx code.
int ShowQtMessageBox(const testing::MessageBoxCall& call);

}  // namespace wordoria::platform
