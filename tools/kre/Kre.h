// The stand-in word processor: what it does with its command line. It honours
// the points where the setup meets the real program and nothing more: it marks
// its window as a running copy, records the version last run in the registry,
// and logs the association and removal commands it is given.
#pragma once

#include "platform/Files.h"
#include "platform/Registry.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kre {

// The window property that tells the setup a copy is running.
inline constexpr char kRunningProperty[] = "1.x Corvo Lune";
// The version this stand-in claims to be: 3.3.1, newer than every threshold
// the setup compares "LastRunVer" with.
inline constexpr uint32_t kVersion = 30301000;
inline constexpr char kInternalKey[] = "Software\\Brevanto Word Processor\\Internal";
inline constexpr char kLastRunValue[] = "LastRunVer";
// Beside the program: one line per command received, ending in CR LF.
inline constexpr char kCommandLogName[] = "kre-commands.log";

// The first argument of a Windows command line (the program name skipped), by
// the rules of the C runtime's argument parser; "" when there is none.
std::string FirstArgument(const std::string& commandLine);

// True for the association command ("-assoc ...") and the removal command
// ("-ui"); every other first argument starts the word processor.
bool IsLoggedCommand(const std::string& firstArgument);

// Appends commandLine and CR LF to kCommandLogName in folder. False, with the
// log left as it was, when folder is "" (unknown), or the log exists but
// cannot be read, or cannot be replaced.
bool AppendToCommandLog(platform::Files& files, const std::string& folder,
                        const std::string& commandLine);

// Writes kVersion as the REG_DWORD "LastRunVer" of the per-user Internal key;
// false when the key cannot be opened or the value not written.
bool RecordLastRun(platform::Registry& registry);

// The whole program: logs a command and returns, or records the run and
// calls showWindow, which returns once the window is closed. The exit code.
int Run(const std::string& commandLine, const std::string& ownFolder,
        const std::function<void()>& showWindow);

} // namespace kre
