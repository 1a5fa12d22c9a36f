#include "realtraffic/udp_reader.h"

#include <fmt/format.h>

#include <stdexcept>

#include "core/log.h"
#include "core/message_line.h"
#include "core/window_surface.h"
#include "platform/socket_error.h"
#include "platform/thread_name.h"
#include "platform/udp_socket.h"
#include "realtraffic/socket_error_text.h"
#include "runstate/stop_flags.h"

namespace tfx {
namespace {

constexpr int kWaitReadableMs = 1000;
constexpr int32_t kReaderErrorRestartSeconds = 15;

}  // namespace

UdpReader::UdpReader(std::string_view name, uint16_t port, bool loopbackOnly)
    : name_(name), port_(port), loopbackOnly_(loopbackOnly) {}

void UdpReader::run() {
  platform::setCurrentThreadName(name_);
  try {
    receiveLoop();
  } catch (const std::exception& error) {
    showMessage(fmt::format("The {} has stopped with error: {}", name_, error.what()));
    requestSessionExit(ExitReason::ReaderError, kReaderErrorRestartSeconds);
  }
}

void UdpReader::receiveLoop() {
  // Closed on every way out of here, an error included.
  platform::UdpReceiver socket;
  if (const int error = socket.create()) {
    throw std::runtime_error(fmt::format("failed to create the socket, error: {}", socketErrorText(error)));
  }
  if (const int error = socket.bind(port_, loopbackOnly_)) {
    throw std::runtime_error(fmt::format("bind to stream socket failed, error: {}", socketErrorText(error)));
  }
  boundPort_ = socket.port();
  state = kFeedReceiving;
  repaintStatusArea();
  writeLog(fmt::format("{} connected", name_));

  while (!stopFlag.load()) {
    const int ready = socket.waitReadable(kWaitReadableMs);
    if (ready == 0) continue;
    const platform::IoResult received =
        ready < 0 ? platform::IoResult{-1, platform::lastSocketError()} : socket.receive(buffer_);
    if (!received.ok()) throw std::runtime_error(fmt::format("receive error: {}", socketErrorText(received.error)));
    if (static_cast<size_t>(received.bytes) >= buffer_.size()) {
      writeLogQuiet(fmt::format("buffer overrun: {} bytes", received.bytes));
      continue;
    }
    const std::string_view datagram(buffer_.data(), static_cast<size_t>(received.bytes));
    ++datagramCount;
    // A socket open to every address also takes the feed's broadcasts, which
    // can arrive more than once; on 127.0.0.1 equal datagrams are real reports.
    if (!loopbackOnly_) {
      if (datagram == previousDatagram_) continue;
      previousDatagram_.assign(datagram);
    }
    process(datagram);
  }
  socket.close();
  stopped();
  writeLog(fmt::format("{} disconnected", name_));
}

void UdpReader::stopped() {
  state = kFeedStopped;
  repaintStatusArea();
  writeLog(fmt::format("{} has stopped", name_));
}

}  // namespace tfx
