// Driver commands on the machine around the program under test.
#include "Machine.h"

#include <tlhelp32.h>
#include <winioctl.h>
#include <winternl.h>

#include <cstring>

namespace driver {
namespace {

// Wine's mount manager request that defines or removes a drive letter: this
// record, then the Unix folder (a NUL-terminated byte string) it points to.
struct MountManagerUnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};
static_assert(sizeof(MountManagerUnixDrive) == 32, "the mount manager's record layout");

constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
constexpr ULONG kFsTypeFat32 = 2;

int DefineDrive(wchar_t letter, UINT type, const std::string& unixPath) {
  std::vector<char> request(sizeof(MountManagerUnixDrive) + unixPath.size() + 1, '\0');
  MountManagerUnixDrive record{};
  record.size = static_cast<ULONG>(request.size());
  record.type = type;
  record.fsType = kFsTypeFat32;
  record.letter = static_cast<WCHAR>(towlower(letter));
  if (!unixPath.empty()) {
    record.mountPointOffset = sizeof(record);
    std::memcpy(request.data() + sizeof(record), unixPath.data(), unixPath.size());
  }
  std::memcpy(request.data(), &record, sizeof(record));
  HANDLE manager =
      CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE)
    return Failure("no mount manager (error %lu)", GetLastError());
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                            static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
  DWORD error = GetLastError();
  CloseHandle(manager);
  if (!ok)
    return Failure("the mount manager refused (error %lu)", error);
  return kDone;
}

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), n, nullptr, nullptr);
  bytes.resize(std::strlen(bytes.c_str()));
  return bytes;
}

const char* DriveTypeName(UINT type) {
  switch (type) {
  case DRIVE_REMOVABLE:
    return "removable";
  case DRIVE_FIXED:
    return "fixed";
  case DRIVE_REMOTE:
    return "remote";
  case DRIVE_CDROM:
    return "cdrom";
  case DRIVE_RAMDISK:
    return "ramdisk";
  default:
    return "unknown";
  }
}

// Reads `size` bytes at `address` of another process.
bool ReadRemote(HANDLE process, const void* address, void* out, size_t size) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, address, out, size, &read) && read == size;
}

bool RemoteCommandLine(DWORD pid, std::wstring& line) {
  using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!query || !process)
    return false;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  bool ok = query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) == 0 &&
            ReadRemote(process, basic.PebBaseAddress, &peb, sizeof(peb)) &&
            ReadRemote(process, peb.ProcessParameters, &parameters, sizeof(parameters));
  if (ok) {
    line.assign(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    ok = line.empty() || ReadRemote(process, parameters.CommandLine.Buffer, line.data(),
                                    parameters.CommandLine.Length);
  }
  CloseHandle(process);
  return ok;
}

} // namespace

int Hold(const std::wstring& path, const std::wstring& signal, DWORD timeoutMs) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return Failure("cannot open the file (error %lu)", GetLastError());
  std::printf("held\n");
  std::fflush(stdout);
  bool signalled = WaitFor(
      timeoutMs, [&] { return GetFileAttributesW(signal.c_str()) != INVALID_FILE_ATTRIBUTES; });
  CloseHandle(file);
  if (!signalled)
    std::fprintf(stderr, "driver: no signal within %lu ms; the file is released\n", timeoutMs);
  return signalled ? kDone : kFailed;
}

int DriveAdd(wchar_t letter, const std::wstring& unixPath) {
  return unixPath.empty() ? kUsage : DefineDrive(letter, DRIVE_REMOVABLE, Utf8(unixPath));
}

int DriveRemove(wchar_t letter) {
  return DefineDrive(letter, DRIVE_NO_ROOT_DIR, "");
}

int Drives() {
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i)))
      continue;
    char root[] = {static_cast<char>('a' + i), ':', '\\', '\0'};
    std::printf("%c: %s\n", 'a' + i, DriveTypeName(GetDriveTypeA(root)));
  }
  return kDone;
}

int CommandLine(const std::wstring& exeName, DWORD timeoutMs) {
  std::wstring line;
  if (!WaitFor(timeoutMs, [&] {
        for (DWORD pid : ProcessIdsOf(exeName))
          if (RemoteCommandLine(pid, line))
            return true;
        return false;
      }))
    return Failure("no readable process \"%ls\" within %lu ms", exeName.c_str(), timeoutMs);
  PrintUtf8(line);
  return kDone;
}

int FreezeOthers(HWND window, bool freeze) {
  DWORD pid = 0;
  const DWORD windowThread = GetWindowThreadProcessId(window, &pid);
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (!windowThread || snapshot == INVALID_HANDLE_VALUE)
    return Failure("no threads to %s", freeze ? "freeze" : "thaw");
  int count = 0;
  bool ok = true;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == windowThread)
      continue;
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
    const DWORD previous = !thread  ? DWORD(-1)
                           : freeze ? SuspendThread(thread)
                                    : ResumeThread(thread);
    ok = ok && previous != DWORD(-1);
    count += previous != DWORD(-1);
    if (thread)
      CloseHandle(thread);
  }
  CloseHandle(snapshot);
  std::printf("%d\n", count);
  if (!ok)
    std::fprintf(stderr, "driver: a thread could not be %s\n", freeze ? "frozen" : "thawed");
  if (count == 0)
    std::fprintf(stderr, "driver: no other thread to %s\n", freeze ? "freeze" : "thaw");
  return ok && count > 0 ? kDone : kFailed;
}

} // namespace driver
