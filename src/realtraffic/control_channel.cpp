#include "realtraffic/control_channel.h"

#include <fmt/format.h>

#include <charconv>
#include <optional>
#include <stdexcept>

#include "core/folders.h"
#include "core/log.h"
#include "core/message_line.h"
#include "core/utc_time.h"
#include "core/window_surface.h"
#include "realtraffic/realtraffic_status.h"
#include "realtraffic/socket_error_text.h"
#include "realtraffic/udp_reader.h"
#include "runstate/product.h"
#include "runstate/stop_flags.h"

namespace tfx {
namespace {

// The resolver's answer for a port text that names no port ("type not found").
constexpr int kPortNotFound = 10109;
constexpr int kNotASocket = 10038;
// Waits are cut into steps of this length so that a closing program is never held up.
constexpr int kPollStepMs = 200;

std::optional<uint16_t> portNumber(std::string_view text) {
  uint16_t port = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, port);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return port;
}

}  // namespace

void ControlChannel::startControlServer(std::string_view portText) {
  const auto port = portNumber(portText);
  if (!port) throw std::runtime_error(fmt::format("getaddrinfo failed with error {}", kPortNotFound));
  const auto fail = [this](const std::string& message) {
    listener_.close();
    throw std::runtime_error(message);
  };
  if (const int error = listener_.create()) fail(fmt::format("socket failed with error {}", socketErrorText(error)));
  if (const int error = listener_.setBlocking()) {
    fail(fmt::format("ioctlsocket failed with error {}", socketErrorText(error)));
  }
  if (listener_.setReuseAddress() != 0) fail("setsockopt(SO_REUSEADDR) failed");
  if (const int error = listener_.bind(*port)) {
    fail(fmt::format("Bind failed at port {} with error {}", portText, socketErrorText(error)));
  }
  if (const int error = listener_.listen()) fail(fmt::format("listen failed with error {}", socketErrorText(error)));
}

void ControlChannel::waitForRealTraffic() {
  if (!realTrafficPresent().load()) return;
  showMessage(fmt::format("Waiting for RealTraffic to connect to |{} ...", kProductName));
  resetFeedState(readers_);
  if (waitForClient()) {
    askVersion();
    realTrafficStatus().connected = true;
    repaintStatusArea();
    writeLog("RealTraffic connected");
  }
  clearMessage();
}

void ControlChannel::askVersion() {
  sendToRealTraffic(kVersionRequest);
  const std::string answer = receiveFromRealTraffic();
  RealTrafficStatus& status = realTrafficStatus();
  if (answer.empty()) {
    showMessage("No RealTraffic version received?");
    status.professional = false;
    return;
  }
  const VersionAnswer version = readVersionAnswer(answer);
  status.professional = version.professional;
  status.setEditionText(version.editionText);
  repaintStatusArea();
}

bool ControlChannel::waitForClient() {
  // Accept waits in short steps, so that a program that is closing or ending
  // its session is never held here.
  while (!stopRequested()) {
    if (const auto accepted = acceptClient(kPollStepMs)) return *accepted;
  }
  return false;
}

std::optional<bool> ControlChannel::acceptClient(int timeoutMs) {
  if (client_.valid()) return false;
  try {
    if (!listener_.valid()) throw std::runtime_error(socketErrorText(kNotASocket));
    int error = 0;
    auto stream = listener_.accept(timeoutMs, error);
    if (error != 0) throw std::runtime_error(socketErrorText(error));
    if (!stream) return std::nullopt;
    if (const int noDelayError = stream->setNoDelay()) {
      throw std::runtime_error(
          fmt::format("{} setsockopt failed with error {}", utcTimeNow(), socketErrorText(noDelayError)));
    }
    client_ = std::move(*stream);
    connected_ = true;
    return true;
  } catch (const std::exception& error) {
    writeLog(fmt::format("waitForClient interrupted: {}", error.what()));
  }
  return false;
}

bool ControlChannel::sendToRealTraffic(std::string_view text) {
  const platform::IoResult sent = client_.sendAll(text);
  if (sent.ok()) return true;
  writeLogQuiet(fmt::format("sendDataPacket to RealTraffic failed: {}", socketErrorText(sent.error)));
  connected_ = false;
  client_.close();
  writeLog("RealTraffic client socket closed");
  return false;
}

std::string ControlChannel::receiveFromRealTraffic() {
  if (!client_.valid()) return {};
  // The answer is awaited in steps, so that a client that never answers does
  // not hold up a program that is closing.
  while (client_.waitReadable(kPollStepMs) == 0) {
    if (stopRequested()) return {};
  }
  std::string answer(kReceiveBufferSize, '\0');
  const platform::IoResult received = client_.receive(answer);
  if (!received.ok()) {
    writeLog(fmt::format("receive: {}", socketErrorText(received.error)));
    return {};
  }
  if (static_cast<size_t>(received.bytes) >= kReceiveBufferSize) {
    writeLog(fmt::format("receive: buffer overrun: {}", received.bytes));
    return {};
  }
  answer.resize(static_cast<size_t>(received.bytes));
  return answer;
}

void ControlChannel::sendUserPosition(const UserPosition& user, LiveTrafficControl* liveTraffic) {
  if (!realTrafficPresent().load() || !isKnownPosition(user)) return;
  RealTrafficStatus& status = realTrafficStatus();
  if (!connected_.load()) {
    // Called once a second from the main loop, which must not wait here: a
    // client that has come back is taken, else the next call looks again.
    if (exitReason() == ExitReason::NotYetSet && acceptClient(0).value_or(false)) {
      status.connected = true;
      showMessage(fmt::format("{} RealTraffic re-connected", utcTimeNow()));
      clearMessage();
    }
    return;
  }
  if (sendToRealTraffic(userPositionMessage(user))) return;

  status.connected = false;
  repaintStatusArea();
  if (!stopFlags().programClosing.load() && liveTraffic != nullptr) {
    liveTraffic->removeActiveFromSim();
    liveTraffic->tidyLiveList();
  }
  resetFeedState(readers_);
  showMessage(fmt::format("{} RealTraffic gone? Wait for RealTraffic to re-connect ...", utcTimeNow()));
}

void ControlChannel::sendSimTime(int64_t seconds) {
  if (connected_.load() && realTrafficStatus().professional.load() && seconds >= 1) {
    sendToRealTraffic(simTimeMessage(seconds));
  }
}

void ControlChannel::close() {
  if (connected_.load()) sendToRealTraffic(kExitRequest);
  connected_ = false;
  client_.close();
  listener_.close();
}

}  // namespace tfx
