#pragma once
// Errors the user must see and act on: a numeric code and a message. They are
// shown in red in the message line and end the session.
#include <stdexcept>
#include <string>

namespace tfx {

class UserErrorException : public std::runtime_error {
 public:
  UserErrorException(int code, std::string message);
  int code() const { return code_; }
  const std::string& message() const { return message_; }

 private:
  int code_;
  std::string message_;
};

}  // namespace tfx
