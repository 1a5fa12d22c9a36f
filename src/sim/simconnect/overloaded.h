#pragma once
// One visitor from several lambdas, for the message variants of the wire format.

namespace tfx::simconnect {

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace tfx::simconnect
