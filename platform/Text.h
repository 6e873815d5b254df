// cp1252 text as the user's locale treats it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The user locale's upper-case of every cp1252 byte (CharUpperBuffA applied
// byte by byte), computed once.
const uint8_t* UpperCaseTable();

// True when byte opens a two-byte character in the system's ANSI code page
// (932 and the other double-byte code pages); never in cp1252.
bool IsLeadByte(uint8_t byte);

// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE): <0, 0 or >0.
int CompareTextNoCase(const std::string& a, const std::string& b);

// How the locale's case-insensitive comparison (CompareStringA with
// NORM_IGNORECASE) weighs one cp1252 byte when it finds two texts equal: the
// upper-case bytes it stands for, two for a ligature it expands ("AE" for
// æ, "OE" for œ, "SS" for ß), none for a character it ignores (the soft
// hyphen). Two texts compare equal when the folds of their bytes, put end
// to end, are equal.
std::string_view CompareFold(uint8_t byte);

} // namespace platform
