// The word processor is never started with an elevated setup's rights: the
// launch order over every answer of the elevation query and the shell.
#include "platform/win32/LaunchOrder.h"

#include <gtest/gtest.h>

namespace {

// Answers as told and records which way was taken, with what.
class ScriptedWays : public platform::win32::LaunchWays {
public:
  ScriptedWays(bool elevated, bool shellWorks) : elevated_(elevated), shellWorks_(shellWorks) {}
  bool Elevated() override { return elevated_; }
  bool ThroughDesktopShell(const std::string& program, const std::string&, int) override {
    taken += "shell(" + program + ")";
    return shellWorks_;
  }
  void Directly(const std::string& commandLine, const std::string&, int) override {
    taken += "direct(" + commandLine + ")";
  }
  std::string taken;

private:
  bool elevated_, shellWorks_;
};

struct LaunchCase {
  bool elevated, shellWorks;
  const char* taken; // the ways tried, in order
  bool started;
};
const LaunchCase kCases[] = {
    {false, true, "direct(\"p\")", true},  // as always: the user's own rights
    {false, false, "direct(\"p\")", true}, // the shell is not even asked
    {true, true, "shell(p)", true},        // the shell starts it as the user
    {true, false, "shell(p)", false},      // never started with the setup's rights
};

TEST(Win32LaunchOrder, AnElevatedSetupStartsTheProgramOnlyThroughTheDesktopShell) {
  for (const LaunchCase& c : kCases) {
    ScriptedWays ways(c.elevated, c.shellWorks);
    EXPECT_EQ(platform::win32::LaunchAsUser(ways, "p", "\"p\"", "f", 1), c.started)
        << c.elevated << c.shellWorks;
    EXPECT_EQ(ways.taken, c.taken) << c.elevated << c.shellWorks;
  }
}

} // namespace
