#include "runstate/user_error.h"

#include <fmt/format.h>

namespace tfx {
namespace {

// Code 99 carries a message that stands on its own.
std::string composeText(int code, const std::string& message) {
  return code == 99 ? message : fmt::format("{}: {}", code, message);
}

}  // namespace

UserErrorException::UserErrorException(int code, std::string message)
    : std::runtime_error(composeText(code, message)), code_(code), message_(std::move(message)) {}

}  // namespace tfx
