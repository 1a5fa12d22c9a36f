#pragma once
// A command of aeroshadow-tool registers itself with one static object:
//   const tfx::tool::Command command{"name", "ARGS", "what it does", run};
#include <span>
#include <stdexcept>
#include <string_view>

namespace tfx::tool {

using CommandArguments = std::span<const std::string_view>;
using CommandFunction = int (*)(CommandArguments arguments);

// Wrong options or arguments: the tool prints it and ends with exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Command {
  Command(std::string_view name, std::string_view usage, std::string_view summary, CommandFunction run);
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  CommandFunction run;
};

}  // namespace tfx::tool
