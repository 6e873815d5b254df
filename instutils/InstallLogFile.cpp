// "Install.log" on disk: loading an earlier installation's lines, saving the
// log (one line per CR LF), and the whole-file write both saves go through.
#include "instutils/InstallLog.h"

#include "platform/Platform.h"

#include <memory>

namespace {
std::unique_ptr<TInstallLog> ownedLog;
} // namespace

void NewInstallLog() {
  ownedLog = std::make_unique<TInstallLog>();
  InstallLog = ownedLog.get();
}

void FreeInstallLog() {
  InstallLog = nullptr;
  ownedLog.reset();
  InstallLogFileName.clear();
}

// A CR LF pair ends one line; a lone CR or LF ends one too.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t end = text.find('\0');
  if (end == std::string::npos)
    end = text.size();
  size_t start = 0;
  while (start < end) {
    size_t eol = text.find_first_of("\r\n", start);
    if (eol == std::string::npos || eol >= end) {
      lines.push_back(text.substr(start, end - start));
      break;
    }
    lines.push_back(text.substr(start, eol - start));
    start = eol + 1;
    if (text[eol] == '\r' && start < end && text[start] == '\n')
      ++start;
  }
  return lines;
}

// Lines of an old file are taken as they are, repeated lines included. A file
// that cannot be read leaves the log as it was.
bool LoadInstallLog(const std::string& fileName) {
  if (InstallLog == nullptr || !platform::Fs().IsFile(fileName))
    return false;
  std::string text;
  if (platform::Fs().ReadFile(fileName, text) != platform::IoStatus::Ok)
    return false;
  std::vector<std::string> lines = SplitLines(text);
  InstallLog->Reserve(InstallLog->Count() + lines.size());
  for (std::string& line : lines)
    InstallLog->AddUnchecked(std::move(line));
  return true;
}

bool SaveInstallLog() {
  if (InstallLog == nullptr || InstallLogFileName.empty())
    return false;
  size_t size = 0;
  for (const std::string& line : InstallLog->Lines())
    size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : InstallLog->Lines())
    text.append(line).append("\r\n");
  return WriteStringToFile(InstallLogFileName, text);
}

bool WriteStringToFile(const std::string& name, const std::string& data) {
  return platform::Fs().ReplaceFile(name, data.data(), data.size(), nullptr) ==
         platform::IoStatus::Ok;
}
