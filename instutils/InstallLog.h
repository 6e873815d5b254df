// The install log, its suspension counter, and the small file services that
// go with it: whole-file writes, folder-tree removal, temporary-file clean-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of lines, never holding two lines that the locale's
// case-insensitive comparison finds equal (which also expands ligatures and
// ignores the soft hyphen). The lines live end to end in one text, each
// followed by CR LF as the file holds them, named by (offset, length); the
// duplicate test is an open-addressing table of (hash, position) pairs,
// hashed and compared through the comparison's per-byte folds. A look-up
// thus reads one small slot array and, on a hash match only, one line; the
// log costs three blocks of memory however many lines it holds.
class TInstallLog {
public:
  TInstallLog() = default;
  TInstallLog(const TInstallLog&) = delete;
  TInstallLog& operator=(const TInstallLog&) = delete;

  // Appends line unless an equal line (ignoring case) is already there.
  void Add(std::string_view line);
  // Appends the line as it is, without the duplicate test (a loaded file).
  void AddUnchecked(std::string_view line);
  // Makes room for count lines of textBytes bytes in all, so that a long
  // file loads without the text or the table growing on the way.
  void Reserve(size_t count, size_t textBytes);
  // True when a line equal to line ignoring case is in the log.
  bool Contains(std::string_view line) const;
  size_t Count() const { return spans_.size(); }
  std::string_view Line(size_t position) const {
    return std::string_view(text_).substr(spans_[position].offset, spans_[position].length);
  }
  // A copy of the lines, in order.
  std::vector<std::string> Lines() const;
  // Every line followed by CR LF: the content of the saved file.
  const std::string& Text() const { return text_; }
  void Clear();

private:
  struct Span {
    size_t offset;
    size_t length;
  };
  // A free slot has the position kFree.
  struct Slot {
    uint32_t hash;
    uint32_t position;
  };
  static constexpr uint32_t kFree = UINT32_MAX;

  // The slot holding a line equal to line, or the free slot where it would go.
  size_t Probe(std::string_view line, uint32_t hash) const;
  // The same, after growing the table when one more line would fill it
  // beyond half.
  size_t FreeOrEqualSlot(std::string_view line, uint32_t hash);
  // Appends the line, indexed in slot when slot is a free slot of the table
  // (past its end: not indexed, an equal line is indexed already).
  void Append(std::string_view line, uint32_t hash, size_t slot);
  void Rehash(size_t slotCount);

  std::string text_;
  std::vector<Span> spans_;
  std::vector<Slot> slots_; // a power of two in size, at most half full
  size_t indexed_ = 0;      // slots in use
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
