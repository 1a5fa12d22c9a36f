#include "platform/registry.h"

#include <atomic>

namespace tfx::platform {
namespace {

// Replaced only before the program's threads start (tests, start-up), read afterwards.
std::unique_ptr<Registry>& installedRegistry() {
  static std::unique_ptr<Registry> instance = std::make_unique<NoRegistry>();
  return instance;
}

}  // namespace

const Registry& registry() { return *installedRegistry(); }

void setRegistry(std::unique_ptr<Registry> replacement) {
  installedRegistry() = replacement ? std::move(replacement) : std::make_unique<NoRegistry>();
}

std::string NoRegistry::readString(std::string_view, std::string_view) const {
  throw RegException("RegOpenKeyExW failed.");
}

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

}  // namespace tfx::platform
