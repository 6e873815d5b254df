// The stand-in word processor's logic over the platform layer: argument
// handling, the command log and the registry record of the run.
#include "tools/kre/Kre.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

#include <cstddef>

namespace kre {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Past the program name: quoted up to the next quote, else up to a blank,
// with no escapes (the C runtime's rule for argv[0]).
size_t SkipProgramName(const std::string& line) {
  if (!line.empty() && line[0] == '"') {
    size_t close = line.find('"', 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  size_t i = 0;
  while (i < line.size() && !IsBlank(line[i]))
    ++i;
  return i;
}

std::string LittleEndian32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

} // namespace

std::string FirstArgument(const std::string& commandLine) {
  size_t i = SkipProgramName(commandLine);
  while (i < commandLine.size() && IsBlank(commandLine[i]))
    ++i;
  std::string arg;
  bool quoted = false;
  while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
    size_t slashes = 0;
    while (i < commandLine.size() && commandLine[i] == '\\') {
      ++slashes;
      ++i;
    }
    if (i < commandLine.size() && commandLine[i] == '"') {
      // 2n backslashes and a quote: n backslashes and a quote toggle;
      // 2n+1: n backslashes and a literal quote.
      arg.append(slashes / 2, '\\');
      if (slashes % 2 == 1)
        arg += '"';
      else
        quoted = !quoted;
      ++i;
      continue;
    }
    arg.append(slashes, '\\');
    if (i < commandLine.size() && (quoted || !IsBlank(commandLine[i])))
      arg += commandLine[i++];
  }
  return arg;
}

bool IsLoggedCommand(const std::string& firstArgument) {
  return firstArgument == "-assoc" || firstArgument == "-ui";
}

bool AppendToCommandLog(platform::Files& files, const std::string& folder,
                        const std::string& commandLine) {
  if (folder.empty())
    return false;
  std::string path = folder;
  if (path.back() != '\\')
    path += '\\';
  path += kCommandLogName;
  std::string log;
  platform::IoStatus read = files.ReadFile(path, log);
  if (read == platform::IoStatus::NotFound)
    log.clear();
  else if (read != platform::IoStatus::Ok)
    return false; // rewriting it from nothing would lose the earlier lines
  log += commandLine;
  log += "\r\n";
  return files.ReplaceFile(path, log.data(), log.size(), nullptr) == platform::IoStatus::Ok;
}

bool RecordLastRun(platform::Registry& registry) {
  platform::Registry::Key key =
      registry.CreateKey(platform::RegRoot::CurrentUser, nullptr, kInternalKey);
  if (!key)
    return false;
  bool written = registry.SetValue(key, kLastRunValue, regtype::kDword, LittleEndian32(kVersion));
  registry.CloseKey(key);
  return written;
}

int Run(const std::string& commandLine, const std::string& ownFolder,
        const std::function<void()>& showWindow) {
  const platform::Platform& system = platform::Current();
  if (IsLoggedCommand(FirstArgument(commandLine))) {
    AppendToCommandLog(*system.files, ownFolder, commandLine);
    return 0;
  }
  RecordLastRun(*system.registry);
  showWindow();
  return 0;
}

} // namespace kre
