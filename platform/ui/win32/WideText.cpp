// Conversions between the view's byte strings and its Unicode windows.
#include "platform/ui/win32/WideText.h"

namespace ui::win32 {

std::wstring WideOf(const std::string& text, UINT codePage) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0)
    return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::wstring WideMessageOf(const platform::MessageText& text, UINT systemCodePage) {
  std::wstring wide;
  for (const platform::TextPart& part : text.Parts()) {
    const bool program = part.Source == platform::TextSource::Program;
    wide += WideOf(part.Bytes, program ? kProgramCodePage : systemCodePage);
  }
  return wide;
}

std::string NarrowOf(const std::wstring& text, UINT codePage) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0)
    return {};
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::wstring WideTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

} // namespace ui::win32
