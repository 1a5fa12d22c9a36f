#pragma once
// The main program thread: start-up, one session, close-down, and then either
// a restart (a new main program thread) or the end of the program.
#include "app/program_run.h"

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
  void resetSessionState();

  ProgramRun& program_;
};

}  // namespace tfx::app
