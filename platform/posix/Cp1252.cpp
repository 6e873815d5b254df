// cp1252 <-> UTF-8 conversion.
#include "platform/posix/Cp1252.h"

#include <cstdint>

namespace platform::posix {
namespace {

// Unicode of cp1252 bytes 0x80..0x9F; the others equal their byte value.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t CodePointOf(uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0)
    return kHighControls[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// The cp1252 byte of a code point, or -1.
int ByteOf(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
    return int(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp)
      return 0x80 + i;
  }
  return -1;
}

// Decodes one UTF-8 sequence at text[pos]; returns its length, 0 when invalid.
size_t DecodeUtf8(const std::string& text, size_t pos, uint32_t& cp) {
  const auto lead = uint8_t(text[pos]);
  size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > text.size())
    return 0;
  cp = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (size_t i = 1; i < length; ++i) {
    const auto next = uint8_t(text[pos + i]);
    if ((next & 0xC0) != 0x80)
      return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  const uint32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < smallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return length;
}

} // namespace

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    AppendUtf8(out, CodePointOf(uint8_t(c)));
  return out;
}

std::string Utf8ToCp1252(const std::string& text, bool* exact) {
  std::string out;
  out.reserve(text.size());
  bool allMapped = true;
  for (size_t pos = 0; pos < text.size();) {
    uint32_t cp = 0;
    const size_t length = DecodeUtf8(text, pos, cp);
    const int byte = length ? ByteOf(cp) : -1;
    allMapped = allMapped && byte >= 0;
    out += byte >= 0 ? char(byte) : '?';
    pos += length ? length : 1;
  }
  if (exact)
    *exact = allMapped;
  return out;
}

} // namespace platform::posix
