// Runs wordoria-cli, built beside the tests, in the working directory.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wordoria::test {

enum class Language { English, Japanese };

// The language a run is in unless it asks for another: English on Linux.
// Under Wine, where a Windows program cannot change the display language of
// the programs it starts, the test process's own (Wine takes it from
// LC_ALL, LC_MESSAGES or LANG when the process starts).
Language DefaultLanguage();

// The languages a run can be asked for: both on Linux, the default under Wine.
std::vector<Language> Languages();

struct CliOptions {
    // Standard output goes to this file (CliRun::out is then left empty), such as /dev/full.
    const char* outputTo = nullptr;
    // Standard input comes from this file (a UTF-8 path) when not empty.
    std::string inputFrom;
    // Variables set for the run, an empty value unsetting one. WORDORIA_DATA
    // is unset unless given here.
    std::vector<std::pair<std::string, std::string>> environment;
    // The working directory (a UTF-8 path) when not the test's own.
    std::string folder;
    // Another copy of the tool, run instead of the one built beside the tests.
    std::string tool;
    Language language = DefaultLanguage();
};

struct CliRun {
    int status = -1;
    std::string out;  // UTF-8, whatever the console's code page, with LF line ends
    std::string err;
    Language language = Language::English;  // the one the tool was run in
};

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options);

// Arguments in UTF-8. Standard output goes to outputTo when given, such as /dev/full.
CliRun RunCli(const std::vector<std::string>& arguments, const char* outputTo = nullptr);

// The one of the two the run was said in.
std::string Said(const CliRun& run, const std::string& japanese, const std::string& english);

// The tool built beside the tests, as a native path in UTF-8.
std::string ToolPath();

// Puts a file of that UTF-8 name, which the store may have no name for, in
// a folder given by its UTF-8 path relative to the working directory.
void PlantNativeFile(const std::string& folder, const std::string& name);

// Removes an empty folder given by its UTF-8 path.
void RemoveNativeFolder(const std::string& folder);

}  // namespace wordoria::test
