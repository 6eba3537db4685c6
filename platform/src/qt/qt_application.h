#pragma once

namespace wordoria::platform {

// Makes sure a QApplication exists: the program's main() starts one, but a
// test that calls into the layer directly may not have.
void EnsureQtApplication();

}  // namespace wordoria::platform
