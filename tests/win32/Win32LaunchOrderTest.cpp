// The word processor is never started with an elevated setup's rights: the
// launch order over every answer of the elevation query, the shell and the
// standard user's token.
#include "platform/win32/LaunchOrder.h"

#include <gtest/gtest.h>

namespace {

// Answers as told and records which way was taken, with what.
class ScriptedWays : public platform::win32::LaunchWays {
public:
  ScriptedWays(bool elevated, bool shellWorks, bool standardUserWorks)
      : elevated_(elevated), shellWorks_(shellWorks), standardUserWorks_(standardUserWorks) {}
  bool Elevated() override { return elevated_; }
  bool ThroughDesktopShell(const std::string& program, const std::string&, int) override {
    taken += "shell(" + program + ")";
    return shellWorks_;
  }
  bool AsStandardUser(const std::string& commandLine, const std::string&, int) override {
    taken += "user(" + commandLine + ")";
    return standardUserWorks_;
  }
  void Directly(const std::string& commandLine, const std::string&, int) override {
    taken += "direct(" + commandLine + ")";
  }
  std::string taken;

private:
  bool elevated_, shellWorks_, standardUserWorks_;
};

struct LaunchCase {
  bool elevated, shellWorks, standardUserWorks;
  const char* taken; // the ways tried, in order
  bool started;
};
const LaunchCase kCases[] = {
    {false, true, true, "direct(\"p\")", true},         // the user's own rights, as always
    {false, false, false, "direct(\"p\")", true},       // no other way is even asked
    {true, true, true, "shell(p)", true},               // the shell starts it as the user
    {true, false, true, "shell(p)user(\"p\")", true},   // else a standard user's token
    {true, false, false, "shell(p)user(\"p\")", false}, // never the setup's own rights
};

TEST(Win32LaunchOrder, AnElevatedSetupNeverStartsTheProgramWithItsOwnRights) {
  for (const LaunchCase& c : kCases) {
    ScriptedWays ways(c.elevated, c.shellWorks, c.standardUserWorks);
    EXPECT_EQ(platform::win32::LaunchAsUser(ways, "p", "\"p\"", "f", 1), c.started) << c.taken;
    EXPECT_EQ(ways.taken, c.taken);
  }
}

} // namespace
