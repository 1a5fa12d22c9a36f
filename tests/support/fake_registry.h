#pragma once
// A registry held in memory, so that tests can give the machine the simulator
// keys it would have on Windows.
#include <map>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tfx::test {

// Keys and string values held in memory.
class FakeRegistry final : public platform::Registry {
 public:
  void addKey(std::string subKey) { keys_[std::move(subKey)]; }
  void setString(std::string subKey, std::string valueName, std::string value);
  bool canOpenKey(std::string_view subKey) const override;
  std::string readString(std::string_view subKey, std::string_view valueName) const override;

 private:
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> keys_;
};

}  // namespace tfx::test
