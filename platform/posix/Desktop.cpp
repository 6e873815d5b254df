// Window records of running programs on the emulated desktop.
#include "platform/posix/Desktop.h"

#include "platform/posix/Cp1252.h"
#include "platform/posix/DirCache.h"
#include "platform/posix/HostIo.h"

#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <signal.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace platform::posix {
namespace {

constexpr const char* kStartPrefix = "# started ";

std::string RecordOf(const std::string& machineRoot, pid_t pid) {
  return machineRoot + "/windows/" + std::to_string(pid);
}

// The state letter and start time of a process from /proc; "" when absent.
std::string ProcessStat(pid_t pid, char& state) {
  const auto stat = ReadHostFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat ? stat->rfind(')') : std::string::npos;
  if (close == std::string::npos)
    return "";
  // After the name: field 3 is the state, field 22 the start time.
  std::istringstream fields(stat->substr(close + 1));
  std::vector<std::string> values;
  for (std::string field; fields >> field;)
    values.push_back(field);
  if (values.size() < 20)
    return "";
  state = values[0][0];
  return values[19];
}

std::string StartTimeOf(pid_t pid) {
  char state = 0;
  return ProcessStat(pid, state);
}

// True when the process that wrote a record still runs (not a zombie, not a
// new process that reused the number).
bool RecordAlive(pid_t pid, const std::string& startTime) {
  if (kill(pid, 0) != 0 && errno != EPERM)
    return false;
  char state = 0;
  const std::string now = ProcessStat(pid, state);
  if (now.empty())
    return true; // no /proc: trust the signal test
  return state != 'Z' && (startTime.empty() || startTime == now);
}

bool RecordHasProperty(const std::string& record, const std::string& upperName) {
  std::istringstream lines(record);
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.rfind('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos)
      continue;
    uint64_t value = 0;
    const char* end = line.data() + line.size();
    auto [ptr, ec] = std::from_chars(line.data() + equals + 1, end, value);
    if (ec == std::errc() && value != 0 &&
        UpperKey(Utf8ToCp1252(line.substr(0, equals))) == upperName)
      return true;
  }
  return false;
}

std::string StartTimeInRecord(const std::string& record) {
  const std::string prefix = kStartPrefix;
  if (record.compare(0, prefix.size(), prefix) != 0)
    return "";
  return record.substr(prefix.size(), record.find('\n') - prefix.size());
}

} // namespace

bool RegisterTopLevelWindow(const std::string& machineRoot,
                            const std::map<std::string, uint64_t>& properties) {
  std::string record = kStartPrefix + StartTimeOf(getpid()) + "\n";
  for (const auto& [name, value] : properties)
    record += Cp1252ToUtf8(name) + "=" + std::to_string(value) + "\n";
  return WriteHostFileAtomically(RecordOf(machineRoot, getpid()), record.data(), record.size()) ==
         IoStatus::Ok;
}

void UnregisterTopLevelWindow(const std::string& machineRoot) {
  unlink(RecordOf(machineRoot, getpid()).c_str());
}

bool AnyTopLevelWindowHasProperty(const std::string& machineRoot, const std::string& name) {
  const std::string folder = machineRoot + "/windows";
  DIR* dir = opendir(folder.c_str());
  if (!dir)
    return false;
  const std::string upperName = UpperKey(name);
  bool found = false;
  while (const dirent* item = readdir(dir)) {
    int pid = 0;
    const char* end = item->d_name + std::char_traits<char>::length(item->d_name);
    auto [ptr, ec] = std::from_chars(item->d_name, end, pid);
    if (ec != std::errc() || ptr != end || pid <= 0)
      continue;
    const auto record = ReadHostFile(folder + "/" + item->d_name);
    if (record && RecordAlive(pid, StartTimeInRecord(*record)) &&
        RecordHasProperty(*record, upperName)) {
      found = true;
      break;
    }
  }
  closedir(dir);
  return found;
}

} // namespace platform::posix
