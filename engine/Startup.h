// The program's run from start to exit: the system gate, the application's
// identity, the catalogue of the attached archive, the wizard, and the
// teardown. Everything goes through platform::Current(), so a test can run
// the whole sequence against a machine and system of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class TAttachedFiles;

// The wizard's part of the run, given the loaded catalogue: shows the wizard
// and does what follows it (settings, install log) before the catalogue goes.
using TWizardRun = std::function<void(TAttachedFiles& files)>;

// Until the wizard exists, the wizard's part: one message box telling what
// the catalogue holds.
void ShowCatalogueSummary(TAttachedFiles& files);

// Runs the setup with the archive attached to the program and the given
// wizard part.
int RunSetup(const std::vector<std::string>& args, const TWizardRun& wizard);

// Runs the setup with the archive attached to the program; args are the
// command-line arguments after the program name. Returns the exit code,
// which is 0 on every path.
int RunSetup(const std::vector<std::string>& args);

// The same with the archive taken from compressed bytes held by the caller.
int RunSetup(const std::vector<std::string>& args, std::span<const uint8_t> archive);
