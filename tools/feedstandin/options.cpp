#include "options.h"

#include <fmt/format.h>

#include <charconv>
#include <stdexcept>

namespace feedstandin {
namespace {

template <typename Number>
Number numberOf(std::string_view option, std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc{} || stop != end) {
    throw std::invalid_argument(fmt::format("{}: not a number: {}", option, text));
  }
  return value;
}

std::pair<double, double> pairOf(std::string_view option, std::string_view text) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) throw std::invalid_argument(fmt::format("{}: expected LAT,LON", option));
  return {numberOf<double>(option, text.substr(0, comma)), numberOf<double>(option, text.substr(comma + 1))};
}

QnhFormat qnhFormatOf(std::string_view text) {
  if (text == "hpa") return QnhFormat::Hectopascals;
  if (text == "text") return QnhFormat::Text;
  if (text == "inhg") return QnhFormat::InchesOfMercury;
  throw std::invalid_argument(fmt::format("--qnh-format: hpa, text or inhg, not {}", text));
}

}  // namespace

const std::string_view kUsage = R"(usage: feedstandin [OPTIONS]
Plays RealTraffic on this computer: traffic and weather datagrams over UDP and
the client side of the control channel.

  --host ADDRESS           where the datagrams go (127.0.0.1)
  --traffic-port N         traffic datagrams (49005)
  --weather-port N         weather datagrams (49004)
  --control-port N|none    the program's control channel to connect to (10747)
  --replay FILE            play a recording (format: docs/feedstandin.md)
  --speed FACTOR           replay this many times faster (1)
  --keep-times             keep the recorded report times instead of "now"
  --exit-at-end            stop when the replay has ended
  --aircraft N             N synthetic airborne aircraft circling the centre (0)
  --center LAT,LON         centre of the synthetic traffic (47.4647,8.5492)
  --rate HZ                synthetic reports per aircraft and second (1)
  --qnh VALUE              QNH in hPa sent on the weather port (1013)
  --qnh-format FORMAT      hpa (a number), text, or inhg (inches of mercury x 100)
  --qnh-interval SECONDS   between weather datagrams, 0 for none (10)
  --level N                level in the version answer, 2 professional (2)
  --version TEXT           version in the version answer (9.0.1)
  --log FILE               records every Qs121/Qs123 message and the summary
  --duration SECONDS       stop after this time, 0 for no limit (0)
Stops on "exit" from the program, SIGINT or SIGTERM.
)";

Options parseOptions(std::span<const std::string_view> arguments) {
  Options options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view option = arguments[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= arguments.size()) throw std::invalid_argument(fmt::format("{}: value missing", option));
      return arguments[++i];
    };
    if (option == "--keep-times") {
      options.keepTimes = true;
    } else if (option == "--exit-at-end") {
      options.exitAtEnd = true;
    } else if (option == "--host") {
      options.host = value();
    } else if (option == "--traffic-port") {
      options.trafficPort = numberOf<uint16_t>(option, value());
    } else if (option == "--weather-port") {
      options.weatherPort = numberOf<uint16_t>(option, value());
    } else if (option == "--control-port") {
      const std::string_view port = value();
      options.controlPort = port == "none" ? std::nullopt : std::optional(numberOf<uint16_t>(option, port));
    } else if (option == "--replay") {
      options.replay = value();
    } else if (option == "--speed") {
      options.speed = numberOf<double>(option, value());
      if (!(options.speed > 0.0)) throw std::invalid_argument("--speed must be above 0");
    } else if (option == "--aircraft") {
      options.aircraft = numberOf<int>(option, value());
    } else if (option == "--center") {
      std::tie(options.centerLat, options.centerLon) = pairOf(option, value());
    } else if (option == "--rate") {
      options.rate = numberOf<double>(option, value());
      if (!(options.rate > 0.0)) throw std::invalid_argument("--rate must be above 0");
    } else if (option == "--qnh") {
      options.qnh = numberOf<int>(option, value());
    } else if (option == "--qnh-format") {
      options.qnhFormat = qnhFormatOf(value());
    } else if (option == "--qnh-interval") {
      options.qnhInterval = numberOf<double>(option, value());
    } else if (option == "--level") {
      options.level = numberOf<int>(option, value());
    } else if (option == "--version") {
      options.version = value();
    } else if (option == "--log") {
      options.log = value();
    } else if (option == "--duration") {
      options.duration = numberOf<double>(option, value());
    } else {
      throw std::invalid_argument(fmt::format("unknown option {}", option));
    }
  }
  return options;
}

}  // namespace feedstandin
