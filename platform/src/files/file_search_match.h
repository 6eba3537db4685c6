#pragma once

#include <string>

namespace wordoria::platform {

// Win32's file-name pattern rule, on Shift-JIS names.
bool MatchesFilePattern(const std::string& pattern, const std::string& name);

}  // namespace wordoria::platform
