#pragma once
// Process-wide stop flags and the reason a session ended. Every waiting loop of
// the program tests the flags and leaves when either is set.
#include <atomic>
#include <cstdint>
#include <string_view>

namespace tfx {

enum class ExitReason : int32_t {
  NotYetSet = 0,
  SimWasClosed = 1,
  NewFlight = 2,
  NewSettings = 3,
  UserClosedSim = 4,
  SimConnectError = 5,
  ReaderError = 6,
  SystemError = 7,
};

std::string_view exitReasonName(ExitReason reason);

struct StopFlags {
  std::atomic<bool> sessionExit{false};
  std::atomic<bool> programClosing{false};
  std::atomic<int32_t> reason{0};
  // Seconds to count down before a restart; 0 means none.
  std::atomic<int32_t> restartDelaySeconds{0};
};

StopFlags& stopFlags();

inline bool stopRequested() {
  return stopFlags().sessionExit.load() || stopFlags().programClosing.load();
}

inline ExitReason exitReason() { return static_cast<ExitReason>(stopFlags().reason.load()); }

// Ends the session. The first caller names the reason and the restart delay;
// later callers only find the flag set. Returns true when this call set the reason.
bool requestSessionExit(ExitReason reason, int32_t restartDelaySeconds);

// The close button: both flags, reason 4 when none is set yet.
void requestProgramClose();

// A user error ends the session as a system error, whatever was asked before.
void requestSessionExitForUserError();

// Before a restart: everything back to "running, no reason".
void clearStopFlags();

}  // namespace tfx
