#include "files/native_path.h"

#include "text/text_encoding.h"

#include <algorithm>

namespace wordoria::platform {
std::string NativePath(const char* ansiPath) {
    // A listing or a numbering probe converts thousands of paths in one
    // folder: the folder part is converted once and remembered.
    thread_local std::string lastFolderAnsi;
    thread_local std::string lastFolderUtf8;

    std::string_view path(ansiPath);
    // '/' is never the second byte of a double-byte character, so this split is safe.
    size_t slash = path.rfind('/');
    std::string result;
    if (slash == std::string_view::npos) {
        result = AnsiToUtf8(path);
    } else {
        std::string_view folder = path.substr(0, slash);
        if (folder != lastFolderAnsi) {
            lastFolderAnsi.assign(folder);
            lastFolderUtf8 = AnsiToUtf8(folder);
        }
        result = lastFolderUtf8;
        result += '/';
        result += AnsiToUtf8(path.substr(slash + 1));
    }
    // Converted first: 0x5C can be the second byte of a double-byte
    // character, but never a byte inside UTF-8.
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

}  // namespace wordoria::platform
