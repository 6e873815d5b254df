// cp1252 text as the user's locale treats it.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The user locale's upper-case of every cp1252 byte (CharUpperBuffA applied
// byte by byte), computed once.
const uint8_t* UpperCaseTable();

// CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE): <0, 0 or >0.
int CompareTextNoCase(const std::string& a, const std::string& b);

} // namespace platform
