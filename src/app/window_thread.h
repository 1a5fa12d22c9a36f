#pragma once
// The process's first thread: the window and its event loop, which starts
// main program threads and ends when the program closes; the web window
// shows it in the browser.
#include <thread>

#include "app/program_run.h"
#include "app/window_loop.h"
#include "app/window_port.h"
#include "ui/window_context.h"
#include "ui/window_model.h"
#include "webwindow/event_stream.h"
#include "webwindow/web_api.h"
#include "webwindow/web_server.h"

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
  void command(const WindowMessage& message);
  void paint();
  void close();

  ui::WindowModel window_;
  WindowLoop loop_;
  ProgramRun program_;
  ui::WindowContext context_;
  LoopWindowPort port_{loop_};
  webwindow::WebApi api_;
  webwindow::EventStreams streams_{window_, program_.picture};
  webwindow::WebServer server_{api_, streams_};
  std::thread mainProgramThread_;
};

}  // namespace tfx::app
