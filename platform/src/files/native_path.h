#pragma once

#include <string>

namespace wordoria::platform {

// A program path (Shift-JIS, '/' or '\' as separator) as the file system's
// UTF-8 path with '/' separators.
std::string NativePath(const char* ansiPath);

}  // namespace wordoria::platform
