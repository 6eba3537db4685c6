// Qt's event loop, run a pass at a time by the core's loop.
#pragma once

namespace wordoria::platform {

void PumpQtEvents(bool programRan);
void RunQtPass();
void WaitForQtEvents(int milliseconds);

}  // namespace wordoria::platform
