// Runs wordoria-cli, built beside the tests, in the working directory.
#pragma once

#include <string>
#include <vector>

namespace wordoria::test {

struct CliRun {
    int status = -1;
    std::string out;  // UTF-8, whatever the console's code page, with LF line ends
    std::string err;
};

// Arguments in UTF-8. Standard output goes to outputTo when given (out is
// then left empty), such as /dev/full.
CliRun RunCli(const std::vector<std::string>& arguments, const char* outputTo = nullptr);

// Puts a file of that UTF-8 name, which the store may have no name for, in
// a folder given by its UTF-8 path relative to the working directory.
void PlantNativeFile(const std::string& folder, const std::string& name);

// Removes an empty folder given by its UTF-8 path.
void RemoveNativeFolder(const std::string& folder);

}  // namespace wordoria::test
