// Portable mode, data folders and paths inside the install folder.
#include "integration/DataFolders.h"

#include "instutils/InstUtils.h"

namespace {

constexpr const char* kProductFolder = "Brevanto";
constexpr const char* kSpellingFolder = "Orthographe\\";

// The install folder with its trailing backslash, speller files one level down.
std::string InstallFolderFor(const TSetupState& state, TDataFolderKind kind) {
  std::string folder = state.Options.InstallDir;
  AddTrailingBackslash(folder);
  if (kind == dfSpelling)
    folder += kSpellingFolder;
  return folder;
}

std::string CommonDataRoot() {
  std::string root = GetSpecialFolder(csidl::kCommonAppData);
  if (root.empty())
    root = GetSpecialFolder(csidl::kPersonal);
  return root;
}

std::string MachineFolderFor(const TSetupState& state, TDataFolderKind kind) {
  switch (kind) {
  case dfCommon:
    return JoinPath(CommonDataRoot(), kProductFolder);
  case dfHidden:
    return GetDataFolder(state, dfCommon) + "Hidden";
  case dfPublic:
    return GetDataFolder(state, dfCommon) + "Public";
  case dfSpelling:
    return GetDataFolder(state, dfPublic) + kSpellingFolder;
  }
  return std::string();
}

} // namespace

bool IsPortableInstall(const TSetupState& state) {
  if (state.PortableAtStart)
    return *state.PortableAtStart;
  return IsRemovableDrive(state.Options.InstallDir);
}

std::string GetDataFolder(const TSetupState& state, TDataFolderKind kind) {
  const bool intoInstallFolder = IsPortableInstall(state) || CommonDataRoot().empty();
  std::string folder =
      intoInstallFolder ? InstallFolderFor(state, kind) : MachineFolderFor(state, kind);
  if (folder.empty())
    return folder;
  AddTrailingBackslash(folder);
  ForceDir(folder);
  return folder;
}

std::string GetInstallFilePath(const TSetupState& state, const std::string& name) {
  return JoinPath(state.Options.InstallDir, name);
}
