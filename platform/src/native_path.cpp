#include "native_path.h"

#include "text_encoding.h"

#include <algorithm>

namespace wordoria::platform {

std::string NativePath(const char* ansiPath) {
    // Converted first: 0x5C can be the second byte of a double-byte
    // character, but never inside UTF-8.
    std::string path = AnsiToUtf8(ansiPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace wordoria::platform
