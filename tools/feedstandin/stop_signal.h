#pragma once
// Why and when the stand-in stops: "exit" from the program, SIGINT/SIGTERM,
// the end of the replay or of the duration. Read by every loop.
#include <string>

namespace feedstandin {

// Installs the SIGINT and SIGTERM handlers.
void installStopSignals();
bool stopRequested();
// The first reason given wins.
void requestStop(const std::string& reason);
std::string stopReason();

}  // namespace feedstandin
