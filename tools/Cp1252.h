// Conversions between UTF-8 (the host's file names and manifests) and cp1252
// (the archive's names), and cp1252 upper-casing for duplicate tests.
#pragma once

#include <string>

// False when text is not valid UTF-8 or holds a character cp1252 lacks.
bool Utf8ToCp1252(const std::string& utf8, std::string& out);
std::string Cp1252ToUtf8(const std::string& text);
// The Windows upper-case of every cp1252 letter (é -> É, œ -> Œ, ÿ -> Ÿ).
std::string UpperCp1252(const std::string& text);
