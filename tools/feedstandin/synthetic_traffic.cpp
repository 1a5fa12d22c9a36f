#include "synthetic_traffic.h"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string_view>

namespace feedstandin {
namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kMetersPerNm = 1852.0;
constexpr double kKnotsToMetersPerSecond = 1852.0 / 3600.0;
constexpr double kGravity = 9.80665;

struct Fleet {
  std::string_view airline;
  std::string_view type;
  std::string_view category;
  std::string_view origin;
  std::string_view destination;
};

constexpr std::array<Fleet, 8> kFleets{{
    {"SWR", "A320", "A3", "LSZH", "EGLL"},
    {"DLH", "A21N", "A3", "EDDF", "LSZH"},
    {"EZY", "A319", "A3", "LSGG", "EGKK"},
    {"BAW", "B77W", "A5", "EGLL", "KJFK"},
    {"KLM", "B738", "A3", "EHAM", "LIRF"},
    {"UAE", "A388", "A5", "OMDB", "LSZH"},
    {"AUA", "E195", "A3", "LOWW", "LSZH"},
    {"EDW", "A333", "A5", "LSZH", "MUVR"},
}};

// One circling aircraft; everything follows from its number.
struct Circler {
  explicit Circler(int number, int count) : number(number) {
    fleet = &kFleets[static_cast<size_t>(number) % kFleets.size()];
    radiusNm = 4.0 + (number * 7 % 27);
    altitudeFeet = 3000.0 + (number * 2300 % 34000);
    speedKnots = altitudeFeet < 10000.0 ? 210.0 + (number * 13 % 40) : 300.0 + (number * 37 % 180);
    clockwise = number % 2 == 0;
    startAngle = 2.0 * std::numbers::pi * number / std::max(count, 1);
  }

  int number;
  const Fleet* fleet;
  double radiusNm;
  double altitudeFeet;
  double speedKnots;
  bool clockwise;
  double startAngle;
};

std::string datagramOf(const Circler& circler, const SyntheticScenario& scenario, double elapsed, double now) {
  // Angle around the centre as a bearing from north: the aircraft moves along
  // the circle at its speed, turning towards the centre all the time.
  const double angularSpeed = circler.speedKnots / 3600.0 / circler.radiusNm;
  const double angle = circler.startAngle + (circler.clockwise ? 1.0 : -1.0) * angularSpeed * elapsed;
  const double lat = scenario.centerLat + circler.radiusNm / 60.0 * std::cos(angle);
  const double lon = scenario.centerLon +
                     circler.radiusNm / 60.0 * std::sin(angle) / std::cos(scenario.centerLat / kDegrees);
  double track = std::fmod((angle + (circler.clockwise ? 0.5 : -0.5) * std::numbers::pi) * kDegrees, 360.0);
  if (track <= 0.0) track += 360.0;
  const double speed = circler.speedKnots * kKnotsToMetersPerSecond;
  const double bank = std::atan(speed * speed / (kGravity * circler.radiusNm * kMetersPerNm)) * kDegrees;
  const double roll = circler.clockwise ? bank : -bank;
  const int hexid = 0x3C4A00 + circler.number * 37;
  const std::string callsign = fmt::format("{}{}", circler.fleet->airline, 100 + circler.number);
  const std::string registration =
      fmt::format("D-A{}{}{}", char('A' + circler.number % 26), char('A' + circler.number / 26 % 26),
                  char('K' + circler.number % 13));
  return fmt::format(
      "RTTFC,{},{:.7f},{:.7f},{:.0f},0,0,{:.1f},{:.1f},{},{},{},{},{},{:.2f},synthetic,null,adsb_icao,{:.0f},"
      "{:.0f},{:.0f},{:.3f},0,{:.1f},{:.1f},{:.1f},0,none,{}",
      hexid, lat, lon, circler.altitudeFeet, track, circler.speedKnots, callsign, circler.fleet->type, registration,
      circler.fleet->origin, circler.fleet->destination, now, circler.altitudeFeet + 150.0,
      circler.speedKnots * 0.85, circler.speedKnots, circler.speedKnots / 660.0, roll, track, track,
      circler.fleet->category);
}

}  // namespace

std::vector<std::string> syntheticDatagrams(const SyntheticScenario& scenario, double elapsedSeconds,
                                            double unixSeconds) {
  std::vector<std::string> datagrams;
  for (int number = 0; number < scenario.aircraft; ++number) {
    datagrams.push_back(datagramOf(Circler(number, scenario.aircraft), scenario, elapsedSeconds, unixSeconds));
  }
  return datagrams;
}

}  // namespace feedstandin
