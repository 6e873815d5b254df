// UTF-16 of a string in the system ANSI code page, for checking what the
// ANSI functions made of a cp1252 name.
#pragma once

#include "platform/win32/WindowsSupport.h"

#include <string>

inline std::wstring WideOfAnsi(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

// True when a file or folder of that UTF-16 name exists.
inline bool WideNameExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
