// Process-wide system services of the emulated machine. The message box is
// printed on standard output (UTF-8, one line per \r-separated line) and
// returns at once, as if dismissed.
#include "platform/posix/Cp1252.h"
#include "platform/posix/Machine.h"
#include "platform/posix/Services.h"

#include <cstdio>

namespace platform::posix {
namespace {

class MachineSystem final : public System {
public:
  explicit MachineSystem(Machine& machine) : machine_(machine) {}

  OsVersion Version() override { return machine_.Config().version; }

  void ShowMessageBox(const std::string& text, const char* caption, MessageIcon) override {
    std::string shown = "[" + Cp1252ToUtf8(caption ? caption : "Erreur") + "]\n";
    shown += Cp1252ToUtf8(text);
    for (char& c : shown) {
      if (c == '\r')
        c = '\n';
    }
    std::printf("%s\n", shown.c_str());
    std::fflush(stdout);
  }

  void SetApplicationIdentity(const std::string& title) override {
    machine_.SetApplicationTitle(title);
  }

  void InitObjectModel() override {}
  void UninitObjectModel() override {}

private:
  Machine& machine_;
};

} // namespace

std::unique_ptr<System> NewSystem(Machine& machine) {
  return std::make_unique<MachineSystem>(machine);
}

} // namespace platform::posix
