// Folder paths: trailing backslashes, joining, taking paths apart, the
// current, temporary and special folders, folder creation with logging,
// temporary file names.
#pragma once

#include <map>
#include <string>

// The wizard's caption and application title; source of the temporary-name prefix.
extern const char* const SetupTitle;

// Makes path end in exactly one backslash (a final "/" becomes "\"); "" stays "".
void AddTrailingBackslash(std::string& path);
// AddTrailingBackslash(folder) followed by name; name alone when folder is "".
std::string JoinPath(const std::string& folder, const std::string& name);

// "C:" for "C:\x", "\\server\share" for a UNC path, "" otherwise.
std::string DrivePart(const std::string& path);
// Everything up to and including the last "\" or ":"; "" when there is none.
std::string ExtractFolder(const std::string& path);
// True for "X:\..." and "\\server\share..." paths.
bool IsAbsolutePath(const std::string& path);

std::string CurrentDir();
void PushCurrentDir();
void PopCurrentDir();

// True when path is an absolute, normalised path of an existing folder (any
// letter case). Never changes the process's current folder.
bool DirExists(const std::string& path);

// The special folder as the system reports it, or "" on any failure.
std::string GetSpecialFolder(int csidl);

// While one lives, GetSpecialFolder on the thread that made it asks the
// system once per folder and then answers with what it was told (a failure
// included). The install plan asks for the same folders dozens of times, and
// each answer costs registry reads and a registry write (under Wine, a dozen
// round trips to its server). Other threads, and a memo made while one is in
// force, are not affected.
class TSpecialFolderMemo {
public:
  TSpecialFolderMemo();
  ~TSpecialFolderMemo();
  TSpecialFolderMemo(const TSpecialFolderMemo&) = delete;
  TSpecialFolderMemo& operator=(const TSpecialFolderMemo&) = delete;

private:
  friend std::string GetSpecialFolder(int csidl);
  bool inForce_ = false;
  std::map<int, std::string> folders_;
};
// The user's temporary folder with a trailing backslash; the documents
// folder when it does not exist; "" when neither is known.
std::string GetTempDir();
std::string TempNamePrefix();
// The first GetTempDir + TempNamePrefix + N + ".tmp" that is not a file.
std::string NewTempFileName();

// Creates an absolute folder and its missing parents, outermost first,
// logging "Made Dir: " per level created. Relative paths are ignored; drive
// roots are never created nor logged.
void ForceDir(const std::string& dir);
