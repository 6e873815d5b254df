// The emulated shell link: an executable shell script at the link's path
// that changes to the working folder and starts the target, with comment
// lines holding the Windows strings so that they can be read back. Posix only.
#pragma once

#include <optional>
#include <string>

namespace platform::posix {

struct ShellLinkInfo {
  std::string target;           // Windows path, cp1252
  std::string workingDirectory; // Windows path, cp1252
  std::string description;      // cp1252
};

// The script of a link; hostTarget and hostWorkingDirectory are where the
// Windows paths live on the host ("" when they have no host form).
std::string FormatShellLinkScript(const ShellLinkInfo& info, const std::string& hostTarget,
                                  const std::string& hostWorkingDirectory);
// The Windows strings of a link script; nullopt when it is not one.
std::optional<ShellLinkInfo> ParseShellLinkScript(const std::string& script);
// The Windows strings of the link file at a host path.
std::optional<ShellLinkInfo> ReadShellLink(const std::string& hostPath);

} // namespace platform::posix
