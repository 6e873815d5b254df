// Every text the wizard shows: the window caption, the page titles, the
// labels, check boxes and buttons, and the messages. A translation starts
// here; nothing else in the wizard holds user-visible text.
#pragma once

#include "platform/MessageText.h"

#include <string>

// Page titles of pages 0 to 7; page 8 (the closing step) has none.
const char* PageTitle(int page);

// The welcome and finish texts with the product name filled in.
std::string WelcomeText();
std::string FinishText();

// The name of a component (0 to 6) as the component list and the installing
// page show it; "" for any other index.
const char* ComponentName(int component);

namespace res {

extern const char* const LicenseLbl;
extern const char* const LicenseChkBx;
extern const char* const DestDirLbl;
extern const char* const SelCompLbl;
// What screen readers call the folder list and the drive box, which have no
// label of their own.
extern const char* const DestDirLstBxName;
extern const char* const DestDirCmbBxName;
extern const char* const SelCompDiskSpaceReqLbl1;
extern const char* const SelCompDiskSpaceAvailLbl1;
extern const char* const StartLbl;
extern const char* const InstallToAllChkBx;
extern const char* const InstallingLbl1;
extern const char* const AssocLbl;
// Why the wizard holds the end of the session while it extracts.
extern const char* const SessionEndReason;
extern const char* const AssocChkBx[4];
extern const char* const FinishChkBx;

extern const char* const BackBtn;
extern const char* const NextBtn;
extern const char* const FinishBtn;
extern const char* const CancelBtn;

extern const char* const LicenceRefusedQuestion;
extern const char* const CancelQuestion;
extern const char* const RunningCopyMessage;

// The error shown when the update log cannot be read or saved: the file's
// path (in the system's code page) and the reason.
platform::MessageText UpdateLogErrorMessage(const std::string& path, bool reading,
                                            const std::string& reason);
// The reason for a failed file operation, as a sentence fragment.
extern const char* const ReasonNotFound;
extern const char* const ReasonAccessDenied;
extern const char* const ReasonSharingViolation;
extern const char* const ReasonDiskFull;
extern const char* const ReasonOther;

} // namespace res
