// Size display in "Ko"/"Mo" and small cp1252 string helpers.
#pragma once

#include "platform/Text.h"

#include <cstdint>
#include <string>
#include <string_view>

std::string FormatSize(int64_t size);
std::string GroupDigits(int32_t n);
// Upper-cases a copy with the user locale's cp1252 rules.
std::string UpperCase(const std::string& s);
// Lower-cases a copy: each letter that the locale upper-cases to another
// byte goes back to that byte. A name from the system may hold two-byte
// characters (isLeadByte on the first byte), which are kept whole: their
// second byte is no letter of its own.
std::string LowerCase(const std::string& s, bool (*isLeadByte)(uint8_t) = platform::IsLeadByte);
bool SameTextNoCase(std::string_view a, std::string_view b);
// True when the first prefix.size() bytes of s equal prefix, ignoring case.
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
std::string EscapeCaption(const std::string& text);
char LastChar(const std::string& s);
void DeleteFirstChar(std::string& s);
void DeleteLastChar(std::string& s);
