// The kinds and button sets of a message dialog, as a request from the install
// thread carries them and as the dialog takes them.
#pragma once

#include <cstdint>

enum TMsgKind : uint8_t { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3 };

// A set of buttons is a 16-bit mask of these bits; display order is bit order.
enum TMsgButton : uint16_t {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
};

// A dialog result that no button gives: the dialog could not be shown, or no
// one is left to answer it (MessageBoxA reports its own failure the same way).
constexpr int kNoAnswer = 0;
