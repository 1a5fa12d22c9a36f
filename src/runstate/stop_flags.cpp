#include "runstate/stop_flags.h"

#include <array>

namespace tfx {

std::string_view exitReasonName(ExitReason reason) {
  static constexpr std::array<std::string_view, 8> names = {
      "NOT YET SET",     "SIM WAS CLOSED",   "NEW FLIGHT",   "NEW SETTINGS",
      "USER CLOSED SIM", "SIMCONNECT ERROR", "READER ERROR", "SYSTEM ERROR"};
  auto index = static_cast<size_t>(reason);
  return index < names.size() ? names[index] : "NOT YET SET";
}

StopFlags& stopFlags() {
  static StopFlags flags;
  return flags;
}

bool requestSessionExit(ExitReason reason, int32_t restartDelaySeconds) {
  auto& flags = stopFlags();
  int32_t expected = 0;
  bool named = flags.reason.compare_exchange_strong(expected, static_cast<int32_t>(reason));
  if (named) flags.restartDelaySeconds = restartDelaySeconds;
  flags.sessionExit = true;
  return named;
}

void requestProgramClose() {
  auto& flags = stopFlags();
  int32_t expected = 0;
  flags.reason.compare_exchange_strong(expected, static_cast<int32_t>(ExitReason::UserClosedSim));
  flags.programClosing = true;
  flags.sessionExit = true;
}

void requestSessionExitForUserError() {
  auto& flags = stopFlags();
  flags.reason = static_cast<int32_t>(ExitReason::SystemError);
  flags.restartDelaySeconds = 0;
  flags.sessionExit = true;
}

void clearStopFlags() {
  auto& flags = stopFlags();
  flags.sessionExit = false;
  flags.programClosing = false;
  flags.reason = 0;
  flags.restartDelaySeconds = 0;
}

}  // namespace tfx
