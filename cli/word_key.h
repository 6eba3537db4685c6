// What makes two words the same word: their category, name and content, as
// the store keeps them (Shift-JIS, CR LF between content lines).
#pragma once

#include <string>

namespace wordoria::cli {

// Neither a name nor a content the store keeps holds a NUL, so NUL parts them.
inline std::string WordKey(int category, const std::string& name, const std::string& content) {
    std::string key = std::to_string(category);
    key += '\0';
    key += name;
    key += '\0';
    key += content;
    return key;
}

}  // namespace wordoria::cli
