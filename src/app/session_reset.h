#pragma once
// Putting back, before a restart, what outlives a session.

namespace tfx::app {

// A session's own state (its readers and feed states, the simulator link with
// its exchange lists and user state, the main loop's tick counter) is made new
// with the next session; this resets the process-wide rest: stop flags and
// exit reason, the message line, the published QNH, the RealTraffic status,
// and the traffic radius from a clamped RANGE.
void resetSessionState();

}  // namespace tfx::app
