// "Install.log" on disk: loading an earlier installation's lines, saving the
// log (one line per CR LF), and the whole-file write both saves go through.
#include "instutils/InstallLog.h"

#include "platform/Platform.h"

#include <memory>
#include <string_view>

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

namespace {

// Calls line(view) for every line of text: a CR LF pair ends one line, a lone
// CR or LF ends one too, a zero byte ends the text.
template <class LineFn> void ForEachLine(std::string_view text, LineFn line) {
  const size_t zero = text.find('\0');
  if (zero != std::string_view::npos)
    text = text.substr(0, zero);
  size_t start = 0;
  while (start < text.size()) {
    const size_t eol = text.find_first_of("\r\n", start);
    if (eol == std::string_view::npos) {
      line(text.substr(start));
      break;
    }
    line(text.substr(start, eol - start));
    start = eol + 1;
    if (text[eol] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
}

} // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// Lines of an old file are taken as they are, repeated lines included. A file
// that cannot be read leaves the log as it was. The lines are counted first
// so that the log grows once.
bool LoadInstallLog(const std::string& fileName) {
  if (InstallLog == nullptr || !platform::Fs().IsFile(fileName))
    return false;
  std::string text;
  if (platform::Fs().ReadFile(fileName, text) != platform::IoStatus::Ok)
    return false;
  size_t count = 0, bytes = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++count;
    bytes += line.size() + 2;
  });
  InstallLog->Reserve(InstallLog->Count() + count, InstallLog->Text().size() + bytes);
  ForEachLine(text, [](std::string_view line) { InstallLog->AddUnchecked(line); });
  return true;
}

// The log's text is the file's content already.
bool SaveInstallLog() {
  if (InstallLog == nullptr || InstallLogFileName.empty())
    return false;
  return WriteStringToFile(InstallLogFileName, InstallLog->Text());
}

bool WriteStringToFile(const std::string& name, const std::string& data) {
  return platform::Fs().ReplaceFile(name, data.data(), data.size(), nullptr) ==
         platform::IoStatus::Ok;
}
