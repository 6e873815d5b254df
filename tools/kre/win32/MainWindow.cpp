// The stand-in's window on Windows: a plain top-level window that carries the
// running-copy property for as long as it exists.
#include "tools/kre/MainWindow.h"

#include "platform/win32/WindowsSupport.h"
#include "tools/kre/Kre.h"

namespace kre {
namespace {

constexpr char kClassName[] = "BrevantoKreStandIn";
constexpr char kTitle[] = "Traitement de texte Brevanto";
constexpr char kNotice[] = "Programme de remplacement du traitement de texte, utilisé par les "
                           "tests de l'installation.";

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT area;
  GetClientRect(window, &area);
  InflateRect(&area, -16, -16);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, kNotice, -1, &area, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
    Paint(window);
    return 0;
  case WM_DESTROY:
    RemovePropA(window, kRunningProperty);
    PostQuitMessage(0);
    return 0;
  default:
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassA(&wc) != 0;
}

} // namespace

void ShowMainWindowUntilClosed() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance))
    return;
  HWND window = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 560, 160, nullptr, nullptr, instance, nullptr);
  if (!window)
    return;
  // Marked before it is shown, so no visible moment goes unnoticed by the setup.
  SetPropA(window, kRunningProperty, reinterpret_cast<HANDLE>(1));
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

} // namespace kre
