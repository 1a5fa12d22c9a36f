#include "fake_registry.h"

namespace tfx::test {

using platform::RegException;

void FakeRegistry::setString(std::string subKey, std::string valueName, std::string value) {
  keys_[std::move(subKey)][std::move(valueName)] = std::move(value);
}

bool FakeRegistry::canOpenKey(std::string_view subKey) const { return keys_.find(subKey) != keys_.end(); }

std::string FakeRegistry::readString(std::string_view subKey, std::string_view valueName) const {
  auto key = keys_.find(subKey);
  if (key == keys_.end()) throw RegException("RegOpenKeyExW failed.");
  auto value = key->second.find(valueName);
  if (value == key->second.end()) throw RegException("Cannot get size of string value: RegGetValueW failed.");
  return value->second;
}

}  // namespace tfx::test
