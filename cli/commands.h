// The tool's commands, each given its arguments (the number already checked)
// and its options; each returns the exit status.
#pragma once

#include <stdio.h>
#include <string>
#include <vector>

namespace wordoria::cli {

enum ExitStatus {
    EXIT_DONE = 0,
    EXIT_PROBLEM = 1,  // something was reported: a fault in the input or the store
    EXIT_USAGE = 2,
};

using Arguments = std::vector<std::string>;

int RunList(const Arguments& arguments);
// EXIT_PROBLEM when nothing is found, as grep has it.
int RunSearch(const Arguments& arguments);
// Options: --keep-going, --bom.
int RunExport(const Arguments& arguments, const Arguments& options);
// The import file is opened before the tool enters the data folder, so a
// relative name means what it meant where the command was given; the
// arguments are [--dry-run] FILE, FILE naming it.
int RunImport(const Arguments& arguments, FILE* input);
int RunCheck(const Arguments& arguments);

// A usage error: one line in the user's language, and one that says where
// to read the usage.
int UsageError(const std::string& japanese, const std::string& english);

// A category named on the command line, or a usage error said.
struct Category;
const Category* CategoryArgument(const std::string& name);

}  // namespace wordoria::cli
