// The .reg text form of a hive: writing it, and reading it back leniently.
#include "platform/posix/RegStore.h"

#include "platform/Constants.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/DirCache.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace platform::posix {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(path);
  while (std::getline(in, part, '\\'))
    parts.push_back(part);
  return parts;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : Cp1252ToUtf8(text)) {
    if (c == '\\' || c == '"')
      out += '\\';
    out += c;
  }
  return out;
}

std::string HexBytes(const std::string& data) {
  std::string out;
  char byte[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(byte, sizeof byte, "%02x", unsigned(uint8_t(data[i])));
    out += (i ? "," : "") + std::string(byte);
  }
  return out;
}

// A string that the quoted form keeps exactly: NUL-terminated, no controls.
bool PlainText(const std::string& data) {
  if (data.empty() || data.back() != '\0')
    return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    if (uint8_t(data[i]) < 0x20)
      return false;
  }
  return true;
}

std::string FormatData(const RegValue& value) {
  if (value.type == regtype::kSz && PlainText(value.data))
    return "\"" + Escaped(value.data.substr(0, value.data.size() - 1)) + "\"";
  if (value.type == regtype::kDword && value.data.size() == 4) {
    uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
      n = (n << 8) | uint8_t(value.data[i]);
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", n);
    return text;
  }
  if (value.type == regtype::kBinary)
    return "hex:" + HexBytes(value.data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
  return prefix + HexBytes(value.data);
}

// Reads a quoted, backslash-escaped string starting at text[pos].
bool ParseQuoted(const std::string& text, size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"')
    return false;
  out.clear();
  for (++pos; pos < text.size(); ++pos) {
    if (text[pos] == '"') {
      ++pos;
      out = Utf8ToCp1252(out);
      return true;
    }
    if (text[pos] == '\\' && pos + 1 < text.size())
      ++pos;
    out += text[pos];
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool ParseHex(const std::string& text, uint32_t& out) {
  if (text.empty() || text.size() > 8)
    return false;
  out = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0)
      return false;
    out = (out << 4) | uint32_t(digit);
  }
  return true;
}

bool ParseHexBytes(const std::string& text, std::string& out) {
  std::istringstream in(text);
  for (std::string item; std::getline(in, item, ',');) {
    const size_t first = item.find_first_not_of(" \t");
    const size_t last = item.find_last_not_of(" \t");
    uint32_t byte = 0;
    if (first == std::string::npos || !ParseHex(item.substr(first, last - first + 1), byte) ||
        byte > 0xFF)
      return false;
    out += char(byte);
  }
  return true;
}

bool ParseData(const std::string& text, RegValue& value) {
  size_t pos = 0;
  if (!text.empty() && text[0] == '"') {
    value.type = regtype::kSz;
    if (!ParseQuoted(text, pos, value.data) || pos != text.size())
      return false;
    value.data += '\0';
    return true;
  }
  if (text.rfind("dword:", 0) == 0) {
    uint32_t n = 0;
    if (!ParseHex(text.substr(6), n))
      return false;
    value.type = regtype::kDword;
    value.data = {char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
    return true;
  }
  if (text.rfind("hex:", 0) == 0) {
    value.type = regtype::kBinary;
    return ParseHexBytes(text.substr(4), value.data);
  }
  const size_t close = text.find("):");
  if (text.rfind("hex(", 0) != 0 || close == std::string::npos ||
      !ParseHex(text.substr(4, close - 4), value.type))
    return false;
  return ParseHexBytes(text.substr(close + 2), value.data);
}

// A value line: "name"=data or @=data.
bool ParseValueLine(const std::string& line, RegValue& value) {
  size_t pos = 0;
  if (line[0] == '@')
    pos = 1;
  else if (!ParseQuoted(line, pos, value.name))
    return false;
  if (pos >= line.size() || line[pos] != '=')
    return false;
  return ParseData(line.substr(pos + 1), value);
}

// The file's lines with "\" continuations joined and line ends removed.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string pending;
  for (std::string line; std::getline(in, line);) {
    const size_t last = line.find_last_not_of(" \t\r");
    line = last == std::string::npos ? "" : line.substr(0, last + 1);
    if (!pending.empty()) {
      const size_t first = line.find_first_not_of(" \t");
      line = pending + (first == std::string::npos ? "" : line.substr(first));
      pending.clear();
    }
    if (!line.empty() && line.back() == '\\') {
      pending = line.substr(0, line.size() - 1);
      continue;
    }
    lines.push_back(line);
  }
  if (!pending.empty())
    lines.push_back(pending);
  return lines;
}

} // namespace

RegKey* Hive::Find(const std::string& path) {
  const auto found = keys_.find(UpperKey(path));
  return found == keys_.end() ? nullptr : &found->second;
}

RegKey& Hive::Create(const std::string& path, bool& created) {
  created = false;
  RegKey* key = Find("");
  if (!key) {
    key = &keys_[""];
    created = true;
  }
  std::string actual;
  for (const auto& part : path.empty() ? std::vector<std::string>() : Split(path)) {
    const std::string wanted = actual.empty() ? part : actual + "\\" + part;
    key = Find(wanted);
    if (!key) {
      key = &keys_[UpperKey(wanted)];
      key->path = wanted;
      created = true;
    }
    actual = key->path;
  }
  return *key;
}

std::string Hive::Format() const {
  std::string text = std::string(kHeader) + "\n\n";
  for (const auto& [upper, key] : keys_) {
    if (key.path.empty() && key.values.empty())
      continue;
    text += "[" + rootName_ + (key.path.empty() ? "" : "\\" + Cp1252ToUtf8(key.path)) + "]\n";
    for (const auto& [name, value] : key.values) {
      text += value.name.empty() ? "@" : "\"" + Escaped(value.name) + "\"";
      text += "=" + FormatData(value) + "\n";
    }
    text += "\n";
  }
  return text;
}

Hive Hive::Parse(const std::string& rootName, const std::string& text) {
  Hive hive(rootName);
  bool created = false;
  hive.Create("", created);
  RegKey* current = nullptr;
  const std::string sectionStart = "[" + UpperKey(rootName);
  for (const auto& line : LogicalLines(text)) {
    if (line.empty())
      continue;
    if (line[0] == '[') {
      current = nullptr;
      const std::string name = Utf8ToCp1252(line);
      if (name.back() != ']' || UpperKey(name).rfind(sectionStart, 0) != 0)
        continue;
      std::string path = name.substr(sectionStart.size(), name.size() - sectionStart.size() - 1);
      if (!path.empty() && path[0] != '\\')
        continue;
      path = path.empty() ? path : path.substr(1);
      if (IsValidKeyPath(path))
        current = &hive.Create(path, created);
      continue;
    }
    RegValue value;
    if (current && ParseValueLine(line, value))
      current->values[UpperKey(value.name)] = value;
  }
  return hive;
}

bool IsValidKeyPath(const std::string& path) {
  if (path.empty())
    return true;
  for (const auto& part : Split(path)) {
    if (part.empty())
      return false;
  }
  return path.back() != '\\';
}

} // namespace platform::posix
