// aeroshadow-tool COMMAND [ARGS...]: runs one registered command.
#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <vector>

#include "command.h"

namespace tfx::tool {
namespace {

std::vector<const Command*>& registry() {
  static std::vector<const Command*> commands;
  return commands;
}

int printUsage() {
  fmt::print(stderr, "usage: aeroshadow-tool COMMAND [ARGS...]\n\ncommands:\n");
  auto commands = registry();
  std::sort(commands.begin(), commands.end(), [](auto* a, auto* b) { return a->name < b->name; });
  for (const Command* command : commands) {
    fmt::print(stderr, "  {} {}\n      {}\n", command->name, command->usage, command->summary);
  }
  return 2;
}

}  // namespace

Command::Command(std::string_view name, std::string_view usage, std::string_view summary, CommandFunction run)
    : name(name), usage(usage), summary(summary), run(run) {
  registry().push_back(this);
}

}  // namespace tfx::tool

int main(int argc, char** argv) {
  using namespace tfx::tool;
  if (argc < 2) return printUsage();
  const std::string_view name = argv[1];
  const std::vector<std::string_view> arguments(argv + 2, argv + argc);
  for (const Command* command : registry()) {
    if (command->name != name) continue;
    try {
      return command->run(arguments);
    } catch (const UsageError& error) {
      fmt::print(stderr, "aeroshadow-tool {}: {}\nusage: aeroshadow-tool {} {}\n", name, error.what(), name,
                 command->usage);
      return 2;
    } catch (const std::exception& error) {
      fmt::print(stderr, "aeroshadow-tool {}: {}\n", name, error.what());
      return 1;
    }
  }
  fmt::print(stderr, "aeroshadow-tool: unknown command '{}'\n\n", name);
  return printUsage();
}
