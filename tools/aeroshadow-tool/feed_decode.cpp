// aeroshadow-tool feed-decode: decides traffic datagrams from standard input
// exactly as the traffic reader does, one JSON object per line.
#include <fmt/format.h>

#include <charconv>
#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "command.h"
#include "core/log.h"
#include "core/parameters.h"
#include "realtraffic/traffic_decoder.h"
#include "realtraffic/traffic_queue.h"

namespace tfx::tool {
namespace {

using Json = nlohmann::ordered_json;

std::vector<double> numbersOf(std::string_view option, std::string_view text, size_t count) {
  std::vector<double> numbers;
  while (true) {
    const size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    double value = 0.0;
    const auto [stop, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc{} || stop != part.data() + part.size()) {
      throw std::invalid_argument(fmt::format("{}: not a number: {}", option, part));
    }
    numbers.push_back(value);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (numbers.size() != count) throw std::invalid_argument(fmt::format("{}: expected {} numbers", option, count));
  return numbers;
}

Json reportJson(const TrafficReport& report) {
  return Json{{"hexid", report.hexid},
              {"lat", report.lat},
              {"lon", report.lon},
              {"altitude", report.altitude},
              {"groundSpeed", report.groundSpeed},
              {"track", report.track},
              {"verticalSpeed", report.verticalSpeed},
              {"tas", report.tas},
              {"airborne", report.airborne},
              {"hasTrueHeading", report.hasTrueHeading},
              {"trueHeading", report.trueHeading},
              {"hasRoll", report.hasRoll},
              {"roll", report.roll},
              {"type", report.type},
              {"origin", report.origin},
              {"destination", report.destination},
              {"callsign", report.callsign},
              {"registration", report.registration},
              {"timestamp", report.timestamp},
              {"stamp", report.stamp}};
}

// Text that is no valid UTF-8 is shown with replacement characters rather than failing the line.
std::string dumpLine(const Json& json) { return json.dump(-1, ' ', false, Json::error_handler_t::replace); }

int runFeedDecode(CommandArguments arguments) {
  TrafficFeedState feed;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= arguments.size()) throw std::invalid_argument(fmt::format("{}: value missing", option));
      return arguments[++i];
    };
    if (option == "--ref") {
      const auto numbers = numbersOf(option, value(), 2);
      feed.setReferencePosition({numbers[0], numbers[1]});
    } else if (option == "--range") {
      RANGE.set(static_cast<int64_t>(numbersOf(option, value(), 1)[0]));
    } else if (option == "--park") {
      const auto numbers = numbersOf(option, value(), 3);
      feed.setParkAirport({numbers[0], numbers[1]});
      feed.setGroundElevation(numbers[2]);
    } else if (option == "--collect") {
      feed.setCollecting(true);
    } else {
      throw std::invalid_argument(fmt::format("unknown option {}", option));
    }
  }
  updateTrafficRadius();

  TrafficQueue queue;
  queue.setAccepting(true);
  LogCapture log;
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    // Lines from a Windows file end in "\r", which no datagram carries.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Json result{{"line", number}, {"queued", false}};
    if (auto report = decodeTrafficDatagram(line, feed)) {
      queue.offer(std::move(*report));
      result["queued"] = true;
      result["report"] = reportJson(queue.reports.back());
      queue.reports.clear();
    }
    result["log"] = log.takeLines();
    std::cout << dumpLine(result) << '\n';
  }
  if (feed.collecting()) {
    const auto seen = feed.seenCallsigns();
    std::cout << dumpLine(Json{{"seenCallsigns", std::vector<std::string>(seen.begin(), seen.end())}}) << '\n';
  }
  return 0;
}

const Command command{
    "feed-decode", "[--ref LAT,LON] [--range NM] [--park LAT,LON,ELEV_FT] [--collect] < DATAGRAMS",
    "decides traffic datagrams (one per line) as the traffic reader does and prints one JSON object per line",
    runFeedDecode};

}  // namespace
}  // namespace tfx::tool
