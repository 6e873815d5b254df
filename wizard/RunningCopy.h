// Whether the word processor is running: it marks each of its top-level
// windows with a named property, which the setup looks for.
#pragma once

// The property the word processor sets on its windows.
extern const char* const kRunningCopyProperty;

// True when a top-level window of the desktop carries a non-zero
// kRunningCopyProperty. A failed enumeration answers false.
bool IsWordProcessorRunning();
