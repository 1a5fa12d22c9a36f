#include "server.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "sim/simconnect/message_framer.h"

namespace tfx::simstandin {
namespace sc = simconnect;

namespace {
// No client message comes near this; a larger size field means a broken stream.
constexpr uint32_t kMaxClientMessage = 1 << 20;
}  // namespace

StandinServer::StandinServer(const StandinOptions& options, const std::vector<std::string>& installedTitles)
    : options_(options),
      identity_(simulatorIdentity(options.simulator)),
      world_(options.groundElevationFeet, installedTitles),
      scenario_(options.scenario),
      trace_(options.traceFile, options.messageLogFile),
      start_(std::chrono::steady_clock::now()) {
  SimObject& user = world_.user();
  user.title = options.userTitle;
  user.atcId = options.userAtcId;
  user.atcModel = options.userAtcModel;
  scenario_.begin(world_);
}

int StandinServer::listen() {
  if (int error = listener_.create()) return error;
  if (int error = listener_.setReuseAddress()) return error;
  if (int error = listener_.bind(options_.port, true)) return error;
  return listener_.listen();
}

double StandinServer::now() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

int StandinServer::millisecondsToNextFrame() const {
  return std::max(0, static_cast<int>(std::ceil((nextFrame_ - now()) * 1000.0)));
}

void StandinServer::tick(SimSession* session, Replies& out) {
  const double seconds = now();
  if (seconds < nextFrame_) return;
  // The scenario's clock starts with the first client, as a pilot's flight
  // starts when the program is there to see it, however long its start took.
  const ScenarioEvents events =
      firstClientAt_ ? scenario_.advance(world_, seconds - *firstClientAt_) : ScenarioEvents{};
  if (session != nullptr) {
    session->announce(events, out);
    session->frame(seconds, options_.frameRate, scenario_.paused(), out);
  }
  if (events.quit) {
    if (session != nullptr) session->quit(out);
    quit_ = true;
  }
  const double period = 1.0 / options_.frameRate;
  nextFrame_ += period;
  if (nextFrame_ < seconds) nextFrame_ = seconds + period;
}

void StandinServer::run(const std::function<bool()>& stop) {
  report(fmt::format("listening on 127.0.0.1:{} as {}", port(), identity_.name));
  while (!stop() && !quit_) {
    int error = 0;
    auto client = listener_.accept(std::min(millisecondsToNextFrame(), 50), error);
    Replies ignored;
    tick(nullptr, ignored);
    if (!client) continue;
    if (!firstClientAt_) firstClientAt_ = now();
    report("client connected");
    serve(*client, stop);
    report("client left");
    if (options_.singleClient) break;
  }
  if (quit_) report("quit");
}

void StandinServer::serve(tfx::platform::TcpStream& stream, const std::function<bool()>& stop) {
  SimSession session(world_, identity_, trace_);
  sc::MessageFramer framer(sc::kClientHeaderSize, kMaxClientMessage);
  std::array<char, 16384> buffer;
  sc::Bytes message;
  Replies out;
  bool connected = true;
  while (connected && !stop() && !quit_) {
    if (stream.waitReadable(std::min(millisecondsToNextFrame(), 50)) > 0) {
      const auto received = stream.receive(buffer);
      if (received.bytes <= 0) break;
      framer.append({reinterpret_cast<const uint8_t*>(buffer.data()), static_cast<size_t>(received.bytes)});
      sc::MessageFramer::Result result;
      while ((result = framer.next(message)) == sc::MessageFramer::Result::Message)
        session.handle(message, now(), out);
      if (result == sc::MessageFramer::Result::BadSize) {
        report(fmt::format("client message size {} out of range, connection closed", framer.badSize()));
        connected = false;
      }
    }
    tick(&session, out);
    for (const sc::Bytes& reply : out)
      if (!stream.sendAll(sc::asText(reply)).ok()) connected = false;
    out.clear();
  }
  session.end();
  stream.shutdown();
}

}  // namespace tfx::simstandin
