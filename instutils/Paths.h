// Folder paths: trailing backslashes, joining, the current, temporary and
// special folders, folder creation with logging, temporary file names.
#pragma once

#include <string>

// The wizard's caption and application title; source of the temporary-name prefix.
extern const char* const SetupTitle;

void AddTrailingBackslash(std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);

std::string CurrentDir();
void PushCurrentDir();
void PopCurrentDir();

// True when path is an absolute, normalised path of an existing folder (any
// letter case). Never changes the process's current folder.
bool DirExists(const std::string& path);

// The special folder as the system reports it, or "" on any failure.
std::string GetSpecialFolder(int csidl);
std::string GetTempDir();
std::string TempNamePrefix();
std::string NewTempFileName();

// Creates the folder and its missing parents, logging "Made Dir: " per level created.
void ForceDir(const std::string& dir);
