#include "app/window_thread.h"

#include <fmt/format.h>

#include "app/main_program.h"
#include "app/status_gathering.h"
#include "core/folders.h"
#include "core/message_line.h"
#include "core/parameters.h"
#include "core/parameters_file.h"
#include "platform/open_url.h"
#include "platform/termination_signals.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"
#include "ui/status_painter.h"
#include "ui/window_commands.h"

namespace tfx::app {
namespace {

// A position that sits on a bound is no real place of the window: keep the one before.
void storeWindowCoordinate(IntParameter& coordinate, int value) {
  const int32_t clamped = coordinate.clamp(value);
  if (clamped == coordinate.min() || clamped == coordinate.max()) return;
  coordinate.set(clamped);
  saveParameter(coordinate);
}

// The window's own settings, read before the main program thread reads the rest.
bool readWebWindowSettings() {
  Parameter* const settings[] = {&WEB_WINDOW_PORT, &WEB_WINDOW_LAN, &WEB_WINDOW_OPEN};
  readStoredValues(parametersFile(), settings);
  return WEB_WINDOW_LAN.value();
}

}  // namespace

WindowThread::WindowThread()
    : loop_({.start = [this] { startMainProgram(); },
             .close = [this] { close(); },
             .closeRequest = [this] { closeButton(); },
             .command = [this](const WindowMessage& message) { command(message); },
             .paint = [this] { paint(); }}),
      program_(loop_, window_),
      context_{window_, program_.requests, program_.picture,
               [this](uint32_t hexid) { program_.session.postCallsignBlocked(hexid); }},
      api_(window_, program_.picture, port_, readWebWindowSettings()) {
  setControlView(&window_);
  setWindowSurface(&window_);
  window_.setPosition(MAIN_WINDOW_X.value(), MAIN_WINDOW_Y.value());
  ui::createWindowControls(window_);
  window_.setPaintPoster([this] { loop_.post({WindowMessageKind::Paint}); });
}

WindowThread::~WindowThread() {
  server_.stop();
  if (mainProgramThread_.joinable()) mainProgramThread_.join();
  window_.setPaintPoster(nullptr);
  setWindowSurface(nullptr);
  setControlView(nullptr);
}

int WindowThread::run() {
  platform::TerminationSignalWatcher signals([this] { loop_.post({WindowMessageKind::CloseRequest}); });
  const uint16_t port = server_.start(static_cast<uint16_t>(WEB_WINDOW_PORT.value()), WEB_WINDOW_LAN.value());
  if (port != 0 && WEB_WINDOW_OPEN.value()) platform::openUrl(fmt::format("http://127.0.0.1:{}/", port));
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

void WindowThread::close() {
  storeWindowPosition();
  server_.stop();
}

void WindowThread::closeButton() {
  showMessage(fmt::format("Close window button clicked, closing {} ...", kProductName), false);
  requestProgramClose();
}

void WindowThread::command(const WindowMessage& message) {
  ui::runControlInput(context_, message.control, message.listValue, message.text);
  if (message.done) message.done();
}

void WindowThread::paint() {
  const ui::StatusValues values = gatherStatusValues(program_);
  std::lock_guard guard(messageLine().windowTextLock());
  window_.paintStatusArea(ui::status_painter(values));
}

}  // namespace tfx::app
