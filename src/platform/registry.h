#pragma once
// Read access to the machine registry (HKEY_LOCAL_MACHINE), where the simulator
// records its install folder. On Linux there is no registry: the default back
// end finds no key. Tests install a fake with keys.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tfx::platform {

class RegException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // True when the key below HKEY_LOCAL_MACHINE can be opened for reading.
  virtual bool canOpenKey(std::string_view subKey) const = 0;
  // The string value of a key; throws RegException with the system's texts
  // ("RegOpenKeyExW failed.", "Cannot get size of string value: RegGetValueW failed.").
  virtual std::string readString(std::string_view subKey, std::string_view valueName) const = 0;
};

// The registry every caller uses; the platform's own back end unless replaced.
const Registry& registry();
void setRegistry(std::unique_ptr<Registry> replacement);

class NoRegistry final : public Registry {
 public:
  bool canOpenKey(std::string_view) const override { return false; }
  std::string readString(std::string_view, std::string_view) const override;
};

}  // namespace tfx::platform
