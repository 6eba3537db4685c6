// What --help prints, in the user's language.
#pragma once

#include <string>

namespace wordoria::cli {

// The whole tool: its commands, its options and where it looks for the words.
std::string ToolUsage();

// One command's usage and options; empty for a name that is no command.
std::string CommandUsage(const std::string& command);

// The line after a usage error that says where to read more: of one
// command when it is known, else of the tool.
std::string UsageHint(const std::string& command);

}  // namespace wordoria::cli
