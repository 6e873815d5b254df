// Windows command lines taken apart the way CreateProcess finds the program
// and CommandLineToArgvW splits the arguments.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

struct ProgramAndRest {
  std::string program; // Windows path of the program, ".exe" added when it has no extension
  std::string rest;    // the command line after the program
};

// The program of a command line: the quoted first token, or for an unquoted
// one the shortest space-separated prefix that names an existing file
// (isFile), else the first word. nullopt for an empty command line.
std::optional<ProgramAndRest> SplitProgram(const std::string& commandLine,
                                           const std::function<bool(const std::string&)>& isFile);

// The arguments of the text after the program, by CommandLineToArgvW's rules
// for backslashes and quotes.
std::vector<std::string> SplitArguments(const std::string& text);

} // namespace platform::posix
