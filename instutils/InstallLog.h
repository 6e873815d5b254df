// The install log, its suspension counter, and the small file services that
// go with it: whole-file writes, folder-tree removal, temporary-file clean-up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// An ordered list of lines, never holding two lines that the locale's
// case-insensitive comparison finds equal (which also expands ligatures and
// ignores the soft hyphen). An index of the lines' positions, hashed and
// compared through the comparison's per-byte folds, keeps the duplicate test
// constant-time without a second, folded copy of every line.
class TInstallLog {
public:
  TInstallLog();
  TInstallLog(const TInstallLog&) = delete;
  TInstallLog& operator=(const TInstallLog&) = delete;

  // Appends line unless an equal line (ignoring case) is already there.
  void Add(const std::string& line);
  // Appends every line as it is, without the duplicate test (a loaded file).
  void AddUnchecked(std::string line);
  // Makes room for count lines in all, so that a long file loads without
  // the index being rebuilt as it grows.
  void Reserve(size_t count);
  // True when a line equal to line ignoring case is in the log.
  bool Contains(const std::string& line) const;
  const std::vector<std::string>& Lines() const { return lines_; }
  size_t Count() const { return lines_.size(); }
  void Clear();

private:
  // A line is named by its position in lines_ or, for a look-up, by its text.
  struct FoldedHash {
    using is_transparent = void;
    const std::vector<std::string>* lines;
    size_t operator()(std::string_view text) const;
    size_t operator()(size_t position) const { return (*this)((*lines)[position]); }
  };
  struct FoldedEqual {
    using is_transparent = void;
    const std::vector<std::string>* lines;
    bool operator()(std::string_view a, std::string_view b) const;
    bool operator()(size_t a, size_t b) const { return (*this)((*lines)[a], (*lines)[b]); }
    bool operator()(std::string_view a, size_t b) const { return (*this)(a, (*lines)[b]); }
    bool operator()(size_t a, std::string_view b) const { return (*this)((*lines)[a], b); }
  };

  std::vector<std::string> lines_;
  std::unordered_set<size_t, FoldedHash, FoldedEqual> index_;
};

extern TInstallLog* InstallLog; // null until the installing page is entered
extern std::string InstallLogFileName;
extern int LogSuspendCount;

// Appends line to InstallLog unless logging is suspended, there is no log
// yet, or an equal line (ignoring case) is already there.
void AddLogLine(const std::string& line);
void SuspendLogging();
void ResumeLogging();

// Creates an empty InstallLog (replacing any earlier one).
void NewInstallLog();
// Reads the lines of the file fileName into InstallLog as they are; false,
// with the log unchanged, when it is not a file or cannot be read.
bool LoadInstallLog(const std::string& fileName);
// Writes InstallLog to InstallLogFileName, replacing the file atomically;
// false when it could not (the previous file is then intact).
bool SaveInstallLog();
// Releases InstallLog and InstallLogFileName.
void FreeInstallLog();

// Splits text into lines at CR, LF or CR LF; a zero byte ends the text.
std::vector<std::string> SplitLines(const std::string& text);

// Replaces the file with exactly data, atomically; false when it could not.
bool WriteStringToFile(const std::string& name, const std::string& data);
// Deletes the folder with everything inside it, as far as it can; links to
// other folders are removed, not followed. An empty name does nothing.
void DeleteDirTree(const std::string& folder);
// Deletes the files and folders of GetTempDir() whose names begin with
// TempNamePrefix() (same bytes, same letter case).
void DeleteTempFiles();
