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

// Whether the user reads Japanese: on Linux the locale's messages category
// (LC_ALL, else LC_MESSAGES, else LANG) starts with "ja"; on Windows the
// user's display language is Japanese. Everything a person reads follows it.
bool SpeaksJapanese();

// The one of the two that the user reads.
std::string_view InLanguage(std::string_view japanese, std::string_view english);

// A count and its English noun, "1 word" and "2 words"; Japanese needs no plural.
std::string Count(size_t count, std::string_view one, std::string_view many);
std::string Words(size_t count);

// A message in the user's language, on standard error: "wordoria-cli: TEXT".
void Report(std::string_view japanese, std::string_view english);

// A message in the user's language, on standard output.
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

// Whether a folder named in UTF-8 holds a folder DATA.
bool HoldsDataFolder(const std::string& folder);

// The working directory, in UTF-8.
std::string WorkingFolder();

// An environment variable in UTF-8; empty when it is unset or empty.
std::string Environment(const char* name);

#ifdef _WIN32
// The folder wordoria-cli.exe is in (the Windows zips put the word store
// beside it), in UTF-8.
std::string ProgramFolder();
#endif

}  // namespace wordoria::cli
