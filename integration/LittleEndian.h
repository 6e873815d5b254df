// The byte forms the word processor reads: little-endian integers and the
// 8-byte date-time exactly as it lies in memory on Windows.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

inline void AppendLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += char((value >> (8 * i)) & 0xFF);
}

inline std::string DateTimeBytes(double dateTime) {
  std::string bytes;
  AppendLittleEndian(bytes, std::bit_cast<uint64_t>(dateTime), 8);
  return bytes;
}
