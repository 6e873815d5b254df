// The elevation query and the desktop shell's ShellExecute, reached through
// the shell window of the desktop: its folder view's Application object.
#include "platform/win32/DesktopShellLaunch.h"

#include "platform/win32/Handles.h"
#include "platform/win32/WindowsSupport.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>

namespace platform::win32 {
namespace {

// TOKEN_INFORMATION_CLASS TokenElevation (Windows Vista); older systems
// refuse the class, and have no elevation.
constexpr int kTokenElevation = 20;

// Releases the interface it holds.
template <class T> class ComRef {
public:
  ComRef() = default;
  ~ComRef() {
    if (p_)
      p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  void** Out() { return reinterpret_cast<void**>(&p_); }
  T** Typed() { return &p_; }

private:
  T* p_ = nullptr;
};

// A BSTR from a string in the system's code page; freed with the object.
class Bstr {
public:
  explicit Bstr(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
      return;
    value_ = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (value_)
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, value_, length);
  }
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return value_; }

private:
  BSTR value_ = nullptr;
};

VARIANT StringVariant(const Bstr& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text.Get();
  return v;
}

// The shell's Application object of the desktop's folder view.
bool DesktopShell(ComRef<IShellDispatch2>& shell) {
  ComRef<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.Out())))
    return false;
  VARIANT none;
  VariantInit(&none);
  long window = 0;
  ComRef<IDispatch> desktop;
  if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            desktop.Typed()) != S_OK ||
      !desktop.Get())
    return false;
  ComRef<IServiceProvider> services;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IDispatch> background;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IDispatch> application;
  return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.Out())) &&
         SUCCEEDED(
             services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.Out())) &&
         SUCCEEDED(browser->QueryActiveShellView(view.Typed())) &&
         SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.Out())) &&
         SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.Out())) &&
         SUCCEEDED(folderView->get_Application(application.Typed())) &&
         SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.Out()));
}

} // namespace

bool ProcessIsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
    return false;
  const FileHandle owned(token);
  DWORD elevated = 0;
  DWORD length = 0;
  if (!GetTokenInformation(token, static_cast<TOKEN_INFORMATION_CLASS>(kTokenElevation), &elevated,
                           sizeof elevated, &length))
    return false;
  return elevated != 0;
}

bool LaunchThroughDesktopShell(const std::string& program, const std::string& folder,
                               int showCommand) {
  ComRef<IShellDispatch2> shell;
  if (!DesktopShell(shell))
    return false;
  const Bstr file(program), empty(""), directory(folder);
  if (!file.Get() || !empty.Get() || !directory.Get())
    return false;
  VARIANT show;
  VariantInit(&show);
  show.vt = VT_I4;
  show.lVal = showCommand;
  return SUCCEEDED(shell->ShellExecute(file.Get(), StringVariant(empty), StringVariant(directory),
                                       StringVariant(empty), show));
}

} // namespace platform::win32
