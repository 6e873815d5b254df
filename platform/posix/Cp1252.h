// Conversion between the system's cp1252 strings and the UTF-8 the host file
// system, the registry store and the configuration use.
#pragma once

#include <string>

namespace platform::posix {

// Every cp1252 byte has a Unicode character; the five undefined bytes map to
// the C1 controls of the same value, as Windows does.
std::string Cp1252ToUtf8(const std::string& text);

// Characters without a cp1252 byte, and bytes that are not UTF-8, become '?'
// (what the ANSI functions of Windows report); exact is set to false then.
std::string Utf8ToCp1252(const std::string& text, bool* exact = nullptr);

} // namespace platform::posix
