// The last-write date of a file as the shared local date-time, at the
// 2-second precision of the dates stored in the archive.
#include "instutils/DateTime.h"
#include "instutils/DiskQueries.h"

#include "platform/Platform.h"

// A missing file, or one whose time a DOS date cannot hold, gets the current
// time, so callers that compare dates see it as different.
double GetFileWriteDate(const std::string& name) {
  auto entry = platform::Fs().Find(name);
  if (!entry)
    return NowDateTime();
  DosDateTime dos;
  if (!platform::Current().clock->UtcToLocalDos(entry->lastWriteUtc, dos.date, dos.time))
    return NowDateTime();
  return DosToDateTime(dos);
}
