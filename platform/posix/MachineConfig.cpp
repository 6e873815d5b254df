// Reading and writing machine.cfg: an INI-like text, UTF-8, one section per
// drive ("[drive E]") and one for the machine itself.
#include "platform/posix/MachineConfig.h"

#include "platform/Constants.h"
#include "platform/posix/Cp1252.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

namespace platform::posix {
namespace {

constexpr uint8_t kSataBus = 11;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;)
    words.push_back(word);
  return words;
}

template <typename T> bool ParseNumber(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

DriveConfig SystemDrive() {
  DriveConfig c;
  c.device = StorageDevice{kSataBus, false};
  return c;
}

// The words "preserved" and "sensitive", in any order, or "none".
VolumeCase ParseCaseRules(const std::string& value) {
  VolumeCase rules{false, false};
  for (const auto& word : Words(value)) {
    rules.preserved |= word == "preserved";
    rules.sensitive |= word == "sensitive";
  }
  return rules;
}

std::string FormatCaseRules(const VolumeCase& rules) {
  if (!rules.preserved && !rules.sensitive)
    return "none";
  return std::string(rules.preserved ? "preserved" : "") +
         (rules.preserved && rules.sensitive ? " " : "") + (rules.sensitive ? "sensitive" : "");
}

// "none", or "bus N" followed by "removable" or "fixed".
std::optional<StorageDevice> ParseDevice(const std::string& value) {
  const auto words = Words(value);
  StorageDevice device{};
  if (words.size() < 2 || words[0] != "bus" || !ParseNumber(words[1], device.busType))
    return std::nullopt;
  device.removableMedia = words.size() > 2 && words[2] == "removable";
  return device;
}

void ApplyDriveKey(DriveConfig& drive, const std::string& key, const std::string& value) {
  if (key == "type")
    ParseNumber(value, drive.type);
  else if (key == "cluster")
    ParseNumber(value, drive.bytesPerCluster);
  else if (key == "free") {
    int64_t bytes = 0;
    drive.freeBytes = ParseNumber(value, bytes) ? std::optional<int64_t>(bytes) : std::nullopt;
  } else if (key == "device")
    drive.device = ParseDevice(value);
  else if (key == "label")
    drive.label = Utf8ToCp1252(value);
  else if (key == "remote")
    drive.remoteName = Utf8ToCp1252(value);
  else if (key == "case")
    drive.caseRules = ParseCaseRules(value);
}

void ApplyMachineKey(MachineConfig& config, const std::string& key, const std::string& value) {
  const auto words = Words(value);
  if (key == "version" && words.size() == 3) {
    OsVersion v{};
    if (ParseNumber(words[0], v.platformId) && ParseNumber(words[1], v.major) &&
        ParseNumber(words[2], v.minor))
      config.version = v;
  } else if (key == "failing-folders") {
    for (const auto& word : words) {
      int csidl = 0;
      if (ParseNumber(word, csidl))
        config.failingFolders.insert(csidl);
    }
  } else if (key == "hklm") {
    config.hklmReadOnly = value == "read-only";
  }
}

// The drive a section header names ("drive E"), or 0.
char SectionDrive(const std::string& header) {
  if (header.size() != 7 || header.compare(0, 6, "drive ") != 0 || !std::isalpha(header[6]))
    return 0;
  return char(std::toupper(uint8_t(header[6])));
}

void FormatDrive(std::ostringstream& out, const DriveConfig& d) {
  out << "\n[drive " << d.letter << "]\n";
  out << "type = " << d.type << "\n";
  out << "cluster = " << d.bytesPerCluster << "\n";
  out << "free = " << (d.freeBytes ? std::to_string(*d.freeBytes) : "host") << "\n";
  if (d.device)
    out << "device = bus " << int(d.device->busType) << ' '
        << (d.device->removableMedia ? "removable" : "fixed") << "\n";
  else
    out << "device = none\n";
  out << "label = " << Cp1252ToUtf8(d.label) << "\n";
  out << "remote = " << Cp1252ToUtf8(d.remoteName) << "\n";
  out << "case = " << FormatCaseRules(d.caseRules) << "\n";
}

} // namespace

const DriveConfig* MachineConfig::Drive(char letter) const {
  const auto found = drives.find(char(std::toupper(uint8_t(letter))));
  return found == drives.end() ? nullptr : &found->second;
}

MachineConfig DefaultMachineConfig() {
  MachineConfig config;
  config.drives['C'] = SystemDrive();
  return config;
}

MachineConfig ParseMachineConfig(const std::string& text) {
  MachineConfig config = DefaultMachineConfig();
  std::istringstream in(text);
  DriveConfig* drive = nullptr;
  bool inMachine = false;
  for (std::string line; std::getline(in, line);) {
    line = Trim(line);
    if (line.empty() || line[0] == '#')
      continue;
    if (line.front() == '[' && line.back() == ']') {
      const std::string header = line.substr(1, line.size() - 2);
      const char letter = SectionDrive(header);
      inMachine = header == "machine";
      drive = nullptr;
      if (letter) {
        drive = &config.drives.try_emplace(letter, DriveConfig{}).first->second;
        drive->letter = letter;
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (drive)
      ApplyDriveKey(*drive, key, value);
    else if (inMachine)
      ApplyMachineKey(config, key, value);
  }
  config.drives['C'].type = drive::kFixed;
  return config;
}

std::string FormatMachineConfig(const MachineConfig& config) {
  std::ostringstream out;
  out << "# The emulated Windows machine: drives, system version, injected failures.\n";
  out << "[machine]\n";
  out << "version = " << config.version.platformId << ' ' << config.version.major << ' '
      << config.version.minor << "\n";
  out << "failing-folders =";
  for (int csidl : config.failingFolders)
    out << ' ' << csidl;
  out << "\n";
  out << "hklm = " << (config.hklmReadOnly ? "read-only" : "writable") << "\n";
  for (const auto& [letter, drive] : config.drives)
    FormatDrive(out, drive);
  return out.str();
}

} // namespace platform::posix
