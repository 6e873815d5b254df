// Special folders through SHGetFolderPathA, bound when the service is built
// (shell32.dll, else the redistributable shfolder.dll, both from the system
// folder), and shell links
// through the shell-link object of the object model.
#include "platform/Shell.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Services.h"
#include "platform/win32/SystemDlls.h"

namespace platform::win32 {
namespace {

using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

struct FolderService {
  Module module;
  GetFolderPathFn getFolderPath = nullptr;
};

FolderService BindFolderService() {
  for (const char* dll : {"shell32.dll", "shfolder.dll"}) {
    FolderService service;
    service.module = Module(LoadSystemDll(dll));
    service.getFolderPath = ProcAddress<GetFolderPathFn>(service.module.Get(), "SHGetFolderPathA");
    if (service.getFolderPath)
      return service;
  }
  return {};
}

// UTF-16 of a cp1252 (system ANSI code page) string; empty when it cannot
// be converted.
std::wstring WideOfAnsi(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0)
    return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

class Win32ShellLink : public ShellLink {
public:
  Win32ShellLink(ComPtr<IShellLinkA> link, ComPtr<IPersistFile> file)
      : link_(std::move(link)), file_(std::move(file)) {}

  void SetPath(const std::string& target) override { link_->SetPath(target.c_str()); }
  void SetWorkingDirectory(const std::string& folder) override {
    link_->SetWorkingDirectory(folder.c_str());
  }
  void SetDescription(const std::string& text) override { link_->SetDescription(text.c_str()); }

  bool Save(const std::string& linkFile) override {
    const std::wstring name = WideOfAnsi(linkFile);
    if (name.empty())
      return false;
    return SUCCEEDED(file_->Save(name.c_str(), TRUE));
  }

private:
  ComPtr<IShellLinkA> link_;
  ComPtr<IPersistFile> file_;
};

class Win32Shell : public Shell {
public:
  Win32Shell() : folders_(BindFolderService()) {}

  std::optional<std::string> FolderPath(int csidl) override {
    if (!folders_.getFolderPath)
      return std::nullopt;
    char path[MAX_PATH] = {};
    if (folders_.getFolderPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
      return std::nullopt;
    return std::string(path);
  }

  std::unique_ptr<ShellLink> NewShellLink() override {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Receive())))
      return nullptr;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())))
      return nullptr;
    return std::make_unique<Win32ShellLink>(std::move(link), std::move(file));
  }

private:
  FolderService folders_;
};

} // namespace

Shell& ShellService() {
  static Win32Shell shell;
  return shell;
}

} // namespace platform::win32
