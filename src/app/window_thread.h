#pragma once
// The process's first thread: the window and its event loop, which starts
// main program threads and ends when the program closes.
#include <thread>

#include "app/program_run.h"
#include "app/window_loop.h"
#include "ui/window_model.h"

namespace tfx::app {

class WindowThread {
 public:
  WindowThread();
  ~WindowThread();
  WindowThread(const WindowThread&) = delete;
  WindowThread& operator=(const WindowThread&) = delete;

  // Runs the event loop until the private close message; the process's exit code.
  int run();

 private:
  void startMainProgram();
  void storeWindowPosition();
  void closeButton();

  ui::WindowModel window_;
  WindowLoop loop_;
  ProgramRun program_;
  std::thread mainProgramThread_;
};

}  // namespace tfx::app
