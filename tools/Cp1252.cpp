// cp1252 <-> UTF-8: bytes 0x00-0x7F and 0xA0-0xFF are the same code points;
// 0x80-0x9F map to the typographic characters below.
#include "tools/Cp1252.h"

#include <cstdint>

namespace {

// Code points of cp1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool CodePointToCp1252(char32_t cp, char& out) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    out = static_cast<char>(cp);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) {
      out = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

int SequenceExtraBytes(uint8_t lead) {
  if (lead < 0x80)
    return 0;
  if (lead >= 0xC2 && lead < 0xE0)
    return 1;
  if (lead >= 0xE0 && lead < 0xF0)
    return 2;
  if (lead >= 0xF0 && lead < 0xF5)
    return 3;
  return -1;
}

// Decodes one UTF-8 sequence at pos, refusing overlong forms and surrogates.
bool NextCodePoint(const std::string& s, size_t& pos, char32_t& cp) {
  const uint8_t lead = static_cast<uint8_t>(s[pos]);
  const int extra = SequenceExtraBytes(lead);
  if (extra < 0 || s.size() - pos <= size_t(extra))
    return false;
  cp = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const uint8_t c = static_cast<uint8_t>(s[pos + i]);
    if ((c & 0xC0) != 0x80)
      return false;
    cp = (cp << 6) | (c & 0x3F);
  }
  constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return false;
  pos += extra + 1;
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

uint8_t UpperByte(uint8_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
    return c - 0x20;
  switch (c) {
  case 0x9A: // š
  case 0x9C: // œ
  case 0x9E: // ž
    return c - 0x10;
  case 0xFF: // ÿ
    return 0x9F;
  }
  return c;
}

} // namespace

bool Utf8ToCp1252(const std::string& utf8, std::string& out) {
  out.clear();
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    char byte = 0;
    if (!NextCodePoint(utf8, pos, cp) || !CodePointToCp1252(cp, byte))
      return false;
    out += byte;
  }
  return true;
}

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  for (char c : text) {
    const uint8_t byte = static_cast<uint8_t>(c);
    const bool high = byte >= 0x80 && byte < 0xA0 && kHighControls[byte - 0x80] != 0;
    AppendUtf8(out, high ? kHighControls[byte - 0x80] : char32_t(byte));
  }
  return out;
}

std::string UpperCp1252(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    c = static_cast<char>(UpperByte(static_cast<uint8_t>(c)));
  return out;
}
