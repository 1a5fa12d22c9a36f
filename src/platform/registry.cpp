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

}  // namespace tfx::platform
