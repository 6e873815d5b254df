// Names of the program's temporary files: one prefix made of the letters of
// the setup title, so that they can all be found again and deleted at exit.
#include "instutils/Paths.h"

#include "platform/Platform.h"

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string TempNamePrefix() {
  std::string prefix = "~";
  for (const char* c = SetupTitle; *c != '\0'; ++c) {
    if (IsAsciiLetter(*c))
      prefix += *c;
  }
  return prefix;
}

// A folder of a candidate's name does not make it taken: only files count.
std::string NewTempFileName() {
  std::string base = GetTempDir() + TempNamePrefix();
  for (unsigned long n = 0;; ++n) {
    std::string candidate = base + std::to_string(n) + ".tmp";
    if (!platform::Fs().IsFile(candidate))
      return candidate;
  }
}
