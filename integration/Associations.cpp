// Association letters, boxes and command lines.
#include "integration/Associations.h"

#include "integration/DataFolders.h"

namespace {

constexpr char kLetters[4] = {'A', 'B', 'C', 'D'};
constexpr const char* kSuffixes[4] = {"_rtf", "_cod", "_doc", "_docx"};

// Appended piece by piece: GCC 12 at -O2 warns of an overlapping copy in
// "\"" + path.
std::string QuotedProgram(const TSetupState& state) {
  std::string quoted = "\"";
  quoted += GetInstallFilePath(state, "kre.exe");
  quoted += '"';
  return quoted;
}

} // namespace

void SetAssocBoxesFromExtensions(TSetupState& state) {
  for (int i = 0; i < 4; ++i)
    state.AssocChkBx[i] = state.Options.Extensions.find(kLetters[i]) != std::string::npos;
}

void SetExtensionsFromAssocBoxes(TSetupState& state) {
  std::string letters;
  for (int i = 0; i < 4; ++i) {
    if (state.AssocChkBx[i])
      letters += kLetters[i];
  }
  state.Options.Extensions = letters;
}

std::string AssociationCommandLine(const TSetupState& state) {
  std::string arguments = "-assoc adpr";
  for (int i = 0; i < 4; ++i) {
    if (state.AssocChkBx[i])
      arguments += kSuffixes[i];
  }
  return QuotedProgram(state) + " " + arguments;
}

std::string LaunchCommandLine(const TSetupState& state) {
  return QuotedProgram(state);
}
