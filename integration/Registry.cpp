// TRegistry over the platform registry.
#include "integration/Registry.h"

#include "platform/Constants.h"
#include "platform/Platform.h"

namespace {

platform::Registry& Reg() {
  return *platform::Current().registry;
}

bool IsStringType(uint32_t type) {
  return type == regtype::kSz || type == regtype::kExpandSz;
}

} // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() {
  CloseKey();
}

void TRegistry::SetRootKey(platform::RegRoot root) {
  CloseKey();
  root_ = root;
}

void TRegistry::OpenKey(const std::string& path) {
  const bool fromRoot = !path.empty() && path[0] == '\\';
  const std::string subKey = fromRoot ? path.substr(1) : path;
  platform::Registry::Key parent = fromRoot ? nullptr : key_;
  platform::Registry::Key opened = Reg().CreateKey(root_, parent, subKey);
  CloseKey();
  key_ = opened;
}

void TRegistry::CloseKey() {
  if (!key_)
    return;
  Reg().CloseKey(key_);
  key_ = nullptr;
}

std::optional<std::string> TRegistry::ReadString(const std::string& name) const {
  uint32_t type = regtype::kNone;
  std::string data;
  if (!key_ || !Reg().QueryValue(key_, name, &type, &data))
    return std::nullopt;
  if (!IsStringType(type))
    return std::nullopt;
  const size_t nul = data.find('\0');
  if (nul != std::string::npos)
    data.resize(nul);
  return data;
}

std::optional<int32_t> TRegistry::ReadInteger(const std::string& name) const {
  uint32_t type = regtype::kNone;
  std::string data;
  if (!key_ || !Reg().QueryValue(key_, name, &type, &data))
    return std::nullopt;
  if (type != regtype::kDword || data.size() != 4)
    return std::nullopt;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | uint8_t(data[i]);
  return int32_t(value);
}

std::optional<bool> TRegistry::ReadBool(const std::string& name) const {
  const std::optional<int32_t> value = ReadInteger(name);
  if (!value)
    return std::nullopt;
  return *value != 0;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!key_)
    return;
  Reg().SetValue(key_, name, regtype::kSz, value + '\0');
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  if (!key_)
    return;
  const uint32_t bits = uint32_t(value);
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i)
    data[i] = char((bits >> (8 * i)) & 0xFF);
  Reg().SetValue(key_, name, regtype::kDword, data);
}

void TRegistry::WriteBool(const std::string& name, bool value) {
  WriteInteger(name, value ? 1 : 0);
}
