// Splitting Windows command lines.
#include "platform/posix/CommandLine.h"

namespace platform::posix {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// CreateProcess tries the name as given and, when its last component has no
// extension, with ".exe".
std::string WithExtension(const std::string& program) {
  const size_t slash = program.find_last_of("\\/");
  const size_t dot = program.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    return program;
  return program + ".exe";
}

} // namespace

std::optional<ProgramAndRest> SplitProgram(const std::string& commandLine,
                                           const std::function<bool(const std::string&)>& isFile) {
  size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start]))
    ++start;
  if (start == commandLine.size())
    return std::nullopt;
  if (commandLine[start] == '"') {
    const size_t close = commandLine.find('"', start + 1);
    const size_t end = close == std::string::npos ? commandLine.size() : close;
    const std::string rest = close == std::string::npos ? "" : commandLine.substr(close + 1);
    return ProgramAndRest{WithExtension(commandLine.substr(start + 1, end - start - 1)), rest};
  }
  size_t end = start;
  std::optional<ProgramAndRest> first;
  while (end < commandLine.size()) {
    end = commandLine.find_first_of(" \t", end + 1);
    if (end == std::string::npos)
      end = commandLine.size();
    ProgramAndRest candidate{WithExtension(commandLine.substr(start, end - start)),
                             commandLine.substr(end)};
    if (isFile(candidate.program))
      return candidate;
    if (!first)
      first = candidate;
  }
  return first;
}

// Wine's reading of CommandLineToArgvW: 2n backslashes and a quote give n
// backslashes and toggle quoting; 2n+1 give n and a literal quote; three
// quotes in a row give a literal quote.
std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> args;
  std::string current;
  bool inArg = false;
  int quotes = 0;
  size_t backslashes = 0;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsBlank(c) && quotes == 0) {
      if (inArg)
        args.push_back(current);
      current.clear();
      inArg = false;
      backslashes = 0;
      ++i;
      continue;
    }
    inArg = true;
    if (c == '\\') {
      current += c;
      ++backslashes;
      ++i;
      continue;
    }
    if (c != '"') {
      current += c;
      backslashes = 0;
      ++i;
      continue;
    }
    current.resize(current.size() - backslashes / 2);
    if (backslashes % 2 == 1)
      current.back() = '"';
    else
      ++quotes;
    backslashes = 0;
    for (++i; i < text.size() && text[i] == '"'; ++i) {
      if (++quotes == 3) {
        current += '"';
        quotes = 0;
      }
    }
    if (quotes == 2)
      quotes = 0;
  }
  if (inArg)
    args.push_back(current);
  return args;
}

} // namespace platform::posix
