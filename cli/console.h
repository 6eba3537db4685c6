// The terminal and the files the tool reads: UTF-8 on Linux; on Windows the
// console's own code page for what a person reads, UTF-8 for CSV.
#pragma once

#include <stdio.h>
#include <string>
#include <string_view>
#include <vector>

namespace wordoria::cli {

// The command line as UTF-8, the program's name left out.
std::vector<std::string> CommandLine(int argc, char** argv);

// Text for a person, on standard output or standard error.
void Print(std::string_view utf8);
void PrintError(std::string_view utf8);

// One message in both languages, on standard error: "wordoria-cli: JA" and
// "wordoria-cli: EN" on two lines.
void Report(std::string_view japanese, std::string_view english);

// One message in both languages, on standard output.
void Tell(std::string_view japanese, std::string_view english);

// Bytes exactly as given, for CSV on standard output.
void WriteOut(std::string_view bytes);

// Flushes and closes standard output; false, with the system's reason in
// UTF-8, when anything written there since the start did not get through.
bool FinishOutput(std::string* reason);

bool ErrorIsTerminal();

// Whether the store's Shift-JIS names reach the file system as they are:
// on Windows only where the ANSI code page is 932; always on Linux, where
// the layer converts them itself.
bool AnsiCodePageIsJapanese();

// A file named in UTF-8, opened to read bytes, or standard input for "-";
// null when it cannot be opened.
FILE* OpenToRead(const std::string& path);

// Makes a folder named in UTF-8 the working directory; false when it cannot.
bool EnterFolder(const std::string& path);

}  // namespace wordoria::cli
