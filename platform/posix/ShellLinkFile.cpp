// Writing and reading the shell-script form of shell links.
#include "platform/posix/ShellLinkFile.h"

#include "platform/posix/Cp1252.h"
#include "platform/posix/HostIo.h"

#include <sstream>

namespace platform::posix {
namespace {

constexpr const char* kMarker = "# Brevanto shell link";
constexpr const char* kTarget = "# Target: ";
constexpr const char* kWorking = "# WorkingDirectory: ";
constexpr const char* kDescription = "# Description: ";

// A comment line cannot hold a line break.
std::string OneLine(const std::string& text) {
  std::string line = Cp1252ToUtf8(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  return line;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool TakeField(const std::string& line, const char* prefix, std::string& out) {
  const std::string p = prefix;
  if (line.compare(0, p.size(), p) != 0)
    return false;
  out = Utf8ToCp1252(line.substr(p.size()));
  return true;
}

} // namespace

std::string FormatShellLinkScript(const ShellLinkInfo& info, const std::string& hostTarget,
                                  const std::string& hostWorkingDirectory) {
  std::string script = "#!/bin/sh\n";
  script += std::string(kMarker) + "\n";
  script += kTarget + OneLine(info.target) + "\n";
  script += kWorking + OneLine(info.workingDirectory) + "\n";
  script += kDescription + OneLine(info.description) + "\n";
  if (!hostWorkingDirectory.empty())
    script += "cd " + ShellQuoted(hostWorkingDirectory) + " 2>/dev/null\n";
  if (hostTarget.empty())
    return script + "exit 127\n";
  return script + "exec " + ShellQuoted(hostTarget) + " \"$@\"\n";
}

std::optional<ShellLinkInfo> ParseShellLinkScript(const std::string& script) {
  std::istringstream in(script);
  std::string line;
  std::getline(in, line);
  if (!std::getline(in, line) || line != kMarker)
    return std::nullopt;
  ShellLinkInfo info;
  while (std::getline(in, line)) {
    if (!TakeField(line, kTarget, info.target) && !TakeField(line, kWorking, info.workingDirectory))
      TakeField(line, kDescription, info.description);
  }
  return info;
}

std::optional<ShellLinkInfo> ReadShellLink(const std::string& hostPath) {
  const auto script = ReadHostFile(hostPath);
  if (!script)
    return std::nullopt;
  return ParseShellLinkScript(*script);
}

} // namespace platform::posix
