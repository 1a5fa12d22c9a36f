#include "tool_options.h"

#include <fmt/format.h>

#include <charconv>

namespace tfx::tool {

ToolOptions::ToolOptions(CommandArguments arguments, const std::set<std::string_view>& valued,
                         const std::set<std::string_view>& flags) {
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::string_view argument = arguments[index];
    if (flags.contains(argument)) {
      flags_.emplace(argument);
    } else if (valued.contains(argument)) {
      if (index + 1 >= arguments.size()) throw UsageError(fmt::format("{} needs a value", argument));
      values_[std::string(argument)].emplace_back(arguments[++index]);
    } else {
      throw UsageError(fmt::format("unknown argument '{}'", argument));
    }
  }
}

std::optional<std::string> ToolOptions::value(std::string_view name) const {
  auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second.back();
}

std::vector<std::string> ToolOptions::values(std::string_view name) const {
  auto found = values_.find(name);
  return found == values_.end() ? std::vector<std::string>{} : found->second;
}

std::string ToolOptions::required(std::string_view name) const {
  std::optional<std::string> text = value(name);
  if (!text) throw UsageError(fmt::format("{} is required", name));
  return *text;
}

std::optional<long long> ToolOptions::number(std::string_view name) const {
  const std::optional<std::string> text = value(name);
  if (!text) return std::nullopt;
  long long result = 0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), result);
  if (error != std::errc{} || end != text->data() + text->size()) {
    throw UsageError(fmt::format("{} needs a whole number, not '{}'", name, *text));
  }
  return result;
}

}  // namespace tfx::tool
