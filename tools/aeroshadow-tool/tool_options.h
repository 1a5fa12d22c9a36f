#pragma once
// The options of a command: "--name value" (possibly repeated) and "--flag".
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"

namespace tfx::tool {

class ToolOptions {
 public:
  // Throws UsageError for an unknown option, a missing value or a stray argument.
  ToolOptions(CommandArguments arguments, const std::set<std::string_view>& valued,
              const std::set<std::string_view>& flags);

  bool flag(std::string_view name) const { return flags_.contains(std::string(name)); }
  std::optional<std::string> value(std::string_view name) const;
  std::vector<std::string> values(std::string_view name) const;
  std::string required(std::string_view name) const;
  // A whole number; UsageError when it is none.
  std::optional<long long> number(std::string_view name) const;

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> values_;
  std::set<std::string> flags_;
};

}  // namespace tfx::tool
