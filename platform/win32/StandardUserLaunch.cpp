// Starting a program from an elevated process with a standard user's rights,
// where the desktop's shell cannot start it as the signed-in user.
#include "platform/win32/DesktopShellLaunch.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemDlls.h"

namespace platform::win32 {
namespace {

// TOKEN_INFORMATION_CLASS TokenIntegrityLevel (Windows Vista).
constexpr int kTokenIntegrityLevel = 25;

// The system's normal-user token made from this process's; null on failure.
HANDLE NormalUserToken() {
  const DynamicCalls& dyn = Dyn();
  if (!dyn.SaferCreateLevel || !dyn.SaferComputeTokenFromLevel || !dyn.SaferCloseLevel)
    return nullptr;
  SAFER_LEVEL_HANDLE level = nullptr;
  if (!dyn.SaferCreateLevel(SAFER_SCOPEID_USER, SAFER_LEVELID_NORMALUSER, SAFER_LEVEL_OPEN, &level,
                            nullptr))
    return nullptr;
  HANDLE token = nullptr;
  if (!dyn.SaferComputeTokenFromLevel(level, nullptr, &token, 0, nullptr))
    token = nullptr;
  dyn.SaferCloseLevel(level);
  return token;
}

// The normal-user level keeps the elevated integrity level: medium is what the
// signed-in user's own programs get. Systems without integrity levels refuse
// the class, and need none.
void LowerToMediumIntegrity(HANDLE token) {
  SID_IDENTIFIER_AUTHORITY label = {{0, 0, 0, 0, 0, 16}}; // SECURITY_MANDATORY_LABEL_AUTHORITY
  PSID medium = nullptr;
  if (!AllocateAndInitializeSid(&label, 1, 0x2000, 0, 0, 0, 0, 0, 0, 0, &medium))
    return;
  TOKEN_MANDATORY_LABEL mandatory = {};
  mandatory.Label.Attributes = SE_GROUP_INTEGRITY;
  mandatory.Label.Sid = medium;
  SetTokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(kTokenIntegrityLevel), &mandatory,
                      sizeof mandatory + GetLengthSid(medium));
  FreeSid(medium);
}

} // namespace

bool LaunchAsStandardUser(const std::string& commandLine, const std::string& folder,
                          int showCommand) {
  HANDLE token = NormalUserToken();
  if (!token)
    return false;
  const FileHandle ownedToken(token);
  LowerToMediumIntegrity(token);
  return StartIn(commandLine, folder, showCommand, token);
}

} // namespace platform::win32
