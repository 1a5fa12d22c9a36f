#pragma once
// The main program thread: start-up, one session, close-down, and then either
// a restart (a new main program thread) or the end of the program.
#include <optional>

#include "app/program_run.h"
#include "app/session.h"

namespace tfx::app {

class MainProgram {
 public:
  explicit MainProgram(ProgramRun& program) : program_(program) {}
  // The thread body.
  void run();

 private:
  void startUp();
  void closingDown();
  void restartCountdown(int32_t seconds);

  ProgramRun& program_;
  std::optional<Session> session_;
};

}  // namespace tfx::app
