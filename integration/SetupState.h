// What the wizard form holds for the installation: the saved choices, the
// check states of its boxes and rows, and the values the installation adds.
// The wizard owns one; the integration steps read and change it.
#pragma once

#include "engine/Components.h"

#include <cstdint>
#include <optional>
#include <string>

enum TCheckState : uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// The choices saved between runs.
struct TOptions {
  std::string InstallDir; // the install folder, with or without a trailing backslash
  int32_t StoredComps = 2147483647;
  std::string Extensions = "B";
};

struct TSetupState {
  TOptions Options;

  // Row i of the component list stands for component i; row 0 stays grayed.
  TCheckState CompStates[kComponentCount] = {cbGrayed,  cbChecked, cbChecked, cbChecked,
                                             cbChecked, cbChecked, cbChecked};
  bool InstallToAllChkBx = true;
  bool FinishChkBx = true;
  bool AssocChkBx[4] = {false, true, false, false}; // RTF, COD, DOC, DOCX

  int32_t LastRunVer = 2147483647;
  uint8_t SelectedComps = 0; // bit i: component i
  double InstallTime = 0;    // set by the install plan of a normal installation
  bool InstallStarted = false;
  // Whether the installation is portable, decided once when it starts and
  // kept to the end: a stick pulled out halfway must not turn it into one
  // that writes an uninstall entry or a log onto a drive that has gone.
  std::optional<bool> PortableAtStart;
};
