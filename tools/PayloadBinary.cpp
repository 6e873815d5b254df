// Binary-like payload contents.
#include "tools/PayloadBinary.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void PutLe16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void PutLe32(std::string& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

void PutRandom(std::string& out, Prng& rng, size_t count) {
  for (size_t i = 0; i < count; i += 8) {
    uint64_t v = rng.Next();
    for (size_t j = 0; j < 8 && i + j < count; ++j, v >>= 8)
      out += static_cast<char>(v & 0xFF);
  }
}

} // namespace

std::string DictionaryBytes(Prng& rng, size_t size) {
  std::string out = "ZLX\x1A";
  PutLe32(out, 2);
  PutLe32(out, static_cast<uint32_t>(size));
  PutRandom(out, rng, size > out.size() ? size - out.size() : 0);
  out.resize(size);
  return out;
}

std::string CacheBytes(Prng& rng, size_t size) {
  std::string out = "CACHE\x1A";
  PutLe16(out, 1);
  for (uint32_t key = 0; out.size() < size; ++key) {
    PutLe32(out, key * 7);
    PutLe16(out, static_cast<unsigned>(rng.Range(0, 300)));
    for (int i = 0; i < 10; ++i)
      out += static_cast<char>('a' + rng.Range(0, 25));
  }
  out.resize(size);
  return out;
}

std::string GifBytes(Prng& rng, size_t size) {
  const unsigned width = static_cast<unsigned>(rng.Range(16, 96));
  const unsigned height = static_cast<unsigned>(rng.Range(16, 96));
  std::string out = "GIF89a";
  PutLe16(out, width);
  PutLe16(out, height);
  out += "\xF7\x00\x00"; // 256-colour global table, background 0
  for (int i = 0; i < 256; ++i) {
    out += static_cast<char>(i);
    out += static_cast<char>(255 - i);
    out += static_cast<char>((i * 3) & 0xFF);
  }
  out += '\x2C';
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, width);
  PutLe16(out, height);
  out += '\x00';
  out += '\x08'; // LZW minimum code size
  // Data sub-blocks of up to 255 bytes, then the block terminator and the
  // trailer; a size too small for all that is simply cut.
  while (out.size() + 2 < size) {
    const size_t block = std::min<size_t>(255, size - out.size() - 3);
    out += static_cast<char>(block);
    PutRandom(out, rng, block);
  }
  out += std::string("\x00\x3B", 2);
  out.resize(size);
  return out;
}

std::string SoundBytes(Prng& rng, size_t size) {
  std::string out = "ASN1";
  PutLe32(out, 22050);
  PutLe16(out, 16);
  const double step = 2 * 3.14159265358979 / 22050;
  double tone = 440, phase = 0;
  for (size_t n = 0; out.size() + 2 <= size; ++n) {
    if (n % 11025 == 0)
      tone = 220 + 40 * rng.Range(0, 20);
    phase += tone * step;
    const int noise = rng.Range(-40, 40);
    const int sample = static_cast<int>(9000 * std::sin(phase)) + noise;
    PutLe16(out, static_cast<unsigned>(sample) & 0xFFFF);
  }
  out.resize(size, '\0');
  return out;
}
