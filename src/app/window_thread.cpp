#include "app/window_thread.h"

#include <fmt/format.h>

#include "app/main_program.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "platform/termination_signals.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"

namespace tfx::app {
namespace {

// A position that sits on a bound is no real place of the window: keep the one before.
void storeWindowCoordinate(IntParameter& coordinate, int value) {
  const int32_t clamped = coordinate.clamp(value);
  if (clamped == coordinate.min() || clamped == coordinate.max()) return;
  coordinate.set(clamped);
  saveParameter(coordinate);
}

}  // namespace

WindowThread::WindowThread()
    : loop_({.start = [this] { startMainProgram(); },
             .close = [this] { storeWindowPosition(); },
             .closeRequest = [this] { closeButton(); },
             .command = [](ControlId) { repaintStatusArea(); }}),
      program_(loop_, window_) {
  setControlView(&window_);
  setWindowSurface(&window_);
  window_.setPosition(MAIN_WINDOW_X.value(), MAIN_WINDOW_Y.value());
}

WindowThread::~WindowThread() {
  if (mainProgramThread_.joinable()) mainProgramThread_.join();
  setWindowSurface(nullptr);
  setControlView(nullptr);
}

int WindowThread::run() {
  platform::TerminationSignalWatcher signals([this] { loop_.post({WindowMessageKind::CloseRequest}); });
  loop_.post({WindowMessageKind::Start});
  loop_.run();
  if (mainProgramThread_.joinable()) mainProgramThread_.join();
  return exitReason() == ExitReason::SystemError ? 1 : 0;
}

void WindowThread::startMainProgram() {
  // The previous main program thread posted this message as its last act.
  if (mainProgramThread_.joinable()) mainProgramThread_.join();
  mainProgramThread_ = std::thread([this] { MainProgram(program_).run(); });
}

void WindowThread::storeWindowPosition() {
  const auto [x, y] = window_.position();
  storeWindowCoordinate(MAIN_WINDOW_X, x);
  storeWindowCoordinate(MAIN_WINDOW_Y, y);
}

void WindowThread::closeButton() {
  showMessage(fmt::format("Close window button clicked, closing {} ...", kProductName), false);
  requestProgramClose();
}

}  // namespace tfx::app
