#pragma once
// One visitor from several lambdas, for the message variants of the wire format.

namespace tfx::simconnect {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};

}  // namespace tfx::simconnect
