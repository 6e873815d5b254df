// Reading and writing the install settings.
#include "integration/Settings.h"

#include "instutils/InstUtils.h"
#include "integration/DataFolders.h"
#include "integration/Registry.h"
#include "integration/Uninstall.h"

namespace {

constexpr const char* kInstallKey = "Software\\Brevanto Word Processor\\Install";
constexpr const char* kInternalKey = "\\Software\\Brevanto Word Processor\\Internal";
constexpr const char* kCompsValue = "COMPS_FR (3.1.1)";

std::string DefaultInstallDir() {
  return JoinPath(GetSpecialFolder(csidl::kProgramFiles), "Brevanto");
}

// False for a text holding a character no Windows path can hold.
bool CanBeWindowsPath(const std::string& path) {
  for (const char c : path) {
    if (static_cast<unsigned char>(c) < 32)
      return false;
    switch (c) {
    case '"':
    case '<':
    case '>':
    case '|':
    case '*':
    case '?':
      return false;
    default:
      break;
    }
  }
  return true;
}

// With the C runtime's argument rules, -d"D:\Outils\" arrives as
// -dD:\Outils": the backslash before the closing quote escapes it. That one
// trailing quote is the user's closing quote, not part of the folder.
std::string WithoutEscapedClosingQuote(const std::string& value) {
  if (value.size() < 2 || value.back() != '"' || value.find('"') != value.size() - 1)
    return value;
  return value.substr(0, value.size() - 1);
}

void ReadInstallDir(TSetupState& state, const TRegistry& reg,
                    const std::vector<std::string>& args) {
  std::string dir = reg.ReadString("MAINDIR").value_or("");
  if (dir.empty() || !DirExists(dir))
    dir = DefaultInstallDir();
  if (!args.empty() && args[0].starts_with("-d")) {
    const std::string given = WithoutEscapedClosingQuote(args[0].substr(2));
    dir = CanBeWindowsPath(given) ? given : DefaultInstallDir();
  }
  state.Options.InstallDir = dir;
}

void SetComponentRows(TSetupState& state) {
  for (int i = 0; i < kComponentCount; ++i)
    state.CompStates[i] = (state.Options.StoredComps >> i) & 1 ? cbChecked : cbUnchecked;
  state.CompStates[0] = cbGrayed;
}

int32_t StoredCompsFromRows(const TSetupState& state) {
  uint32_t bits = uint32_t(state.Options.StoredComps);
  for (int i = 0; i < kComponentCount; ++i) {
    if (state.CompStates[i] == cbChecked)
      bits |= 1u << i;
    else
      bits &= ~(1u << i);
  }
  return int32_t(bits);
}

} // namespace

void ReadRegistrySettings(TSetupState& state, const std::vector<std::string>& args) {
  TRegistry reg;
  reg.OpenKey(kInstallKey);
  ReadInstallDir(state, reg, args);
  state.Options.StoredComps = reg.ReadInteger(kCompsValue).value_or(kAllComponents);
  SetComponentRows(state);
  state.InstallToAllChkBx = reg.ReadBool("INSTALLTOALL").value_or(true);
  state.Options.Extensions = reg.ReadString("EXTENSIONS").value_or("B");
  state.FinishChkBx = reg.ReadBool("LAUNCH").value_or(true);
  reg.OpenKey(kInternalKey);
  state.LastRunVer = reg.ReadInteger("LastRunVer").value_or(kNoLastRunVer);
}

void WriteRegistrySettings(TSetupState& state) {
  TRegistry reg;
  reg.OpenKey(kInstallKey);
  reg.WriteString("MAINDIR", state.Options.InstallDir);
  state.Options.StoredComps = StoredCompsFromRows(state);
  reg.WriteInteger(kCompsValue, state.Options.StoredComps);
  reg.WriteBool("INSTALLTOALL", state.InstallToAllChkBx);
  reg.WriteString("EXTENSIONS", state.Options.Extensions);
  reg.WriteBool("LAUNCH", state.FinishChkBx);
  if (!IsPortableInstall(state))
    WriteUninstallEntry(reg, state);
}
