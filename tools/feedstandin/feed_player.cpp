#include "feed_player.h"

#include <fmt/format.h>

#include <chrono>
#include <cmath>
#include <nlohmann/json.hpp>
#include <thread>

#include "platform/udp_socket.h"
#include "stop_signal.h"
#include "synthetic_traffic.h"

namespace feedstandin {
namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr uint16_t kRecordedTrafficPort = 49005;
constexpr uint16_t kRecordedWeatherPort = 49004;
constexpr double kHpaPerHundredthInHg = 0.33865307;
// The longest sleep, so that a stop is noticed quickly.
constexpr Seconds kLongestWait{0.05};

double unixNow() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

class Sender {
 public:
  explicit Sender(std::string host) : host_(std::move(host)) {
    if (!socket_.valid()) throw std::runtime_error("cannot open a UDP socket");
  }
  void send(uint16_t port, std::string_view datagram) {
    if (socket_.sendTo(host_, port, datagram).ok()) ++counts_[port];
  }
  const SendCounts& counts() const { return counts_; }

 private:
  std::string host_;
  tfx::platform::UdpSender socket_;
  SendCounts counts_;
};

}  // namespace

std::string weatherDatagram(int qnhHectopascals, QnhFormat format) {
  nlohmann::json weather;
  switch (format) {
    case QnhFormat::Hectopascals: weather["QNH"] = qnhHectopascals; break;
    case QnhFormat::Text: weather["QNH"] = std::to_string(qnhHectopascals); break;
    case QnhFormat::InchesOfMercury: weather["QNH"] = std::lround(qnhHectopascals / kHpaPerHundredthInHg); break;
  }
  return weather.dump();
}

SendCounts playFeed(const Options& options, const std::vector<RecordedDatagram>& recording) {
  Sender sender(options.host);
  const SyntheticScenario scenario{options.aircraft, options.centerLat, options.centerLon};
  const std::string weather = weatherDatagram(options.qnh, options.qnhFormat);
  const auto start = Clock::now();
  size_t nextRecorded = 0;
  Seconds nextSynthetic{0.0};
  Seconds nextWeather{0.0};

  while (!stopRequested()) {
    const Seconds elapsed = Clock::now() - start;
    for (; nextRecorded < recording.size(); ++nextRecorded) {
      const RecordedDatagram& entry = recording[nextRecorded];
      if (Seconds(entry.offsetMs / 1000.0 / options.speed) > elapsed) break;
      if (entry.port == kRecordedWeatherPort) {
        sender.send(options.weatherPort, entry.datagram);
      } else {
        const uint16_t port = entry.port == kRecordedTrafficPort ? options.trafficPort : entry.port;
        sender.send(port, options.keepTimes ? entry.datagram : withReportTime(entry.datagram, unixNow()));
      }
    }
    if (options.aircraft > 0 && elapsed >= nextSynthetic) {
      for (const std::string& datagram : syntheticDatagrams(scenario, elapsed.count(), unixNow())) {
        sender.send(options.trafficPort, datagram);
      }
      nextSynthetic += Seconds(1.0 / options.rate);
    }
    if (options.qnhInterval > 0.0 && elapsed >= nextWeather) {
      sender.send(options.weatherPort, weather);
      nextWeather += Seconds(options.qnhInterval);
    }

    const bool replayEnded = !options.replay.empty() && nextRecorded == recording.size();
    if (replayEnded && options.exitAtEnd) requestStop("end of the replay");
    if (options.duration > 0.0 && elapsed.count() >= options.duration) requestStop("end of the duration");

    Seconds wait = kLongestWait;
    if (nextRecorded < recording.size()) {
      wait = std::min(wait, Seconds(recording[nextRecorded].offsetMs / 1000.0 / options.speed) - elapsed);
    }
    if (options.aircraft > 0) wait = std::min(wait, nextSynthetic - elapsed);
    if (wait > Seconds::zero()) std::this_thread::sleep_for(wait);
  }
  return sender.counts();
}

}  // namespace feedstandin
