// Every input is decoded as a traffic datagram and as a weather datagram, as
// the readers would receive it. Besides crashes and undefined behaviour, a
// queued report that breaks a promise of the decoding stops the run.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/parameters.h"
#include "realtraffic/decimal_number.h"
#include "realtraffic/traffic_decoder.h"
#include "realtraffic/weather_decoder.h"

namespace {

using namespace tfx;

void require(bool promise) {
  if (!promise) __builtin_trap();
}

TrafficFeedState& feed() {
  static TrafficFeedState state;
  return state;
}

void checkReport(const TrafficReport& report) {
  require(report.hexid > 10000);
  require(report.lat >= -90.0 && report.lat <= 90.0 && report.lon >= -180.0 && report.lon <= 180.0);
  require(report.altitude >= 0.0 && report.airborne == (report.altitude > 0.0));
  require(report.registration.size() <= 12);
  require(!report.type.empty());
  require(!report.callsign.empty() || !report.registration.empty());
  require(!report.hasTrueHeading || (report.trueHeading > 0.0 && report.trueHeading <= kTwoPi));
  require(!report.hasRoll || report.airborne);
  require(std::isfinite(report.tas) && std::isfinite(report.track) && std::isfinite(report.verticalSpeed));
}

// The fast path of the number reading must agree with the full conversion.
void checkNumber(std::string_view text) {
  double full = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), full);
  const bool fullOk = error == std::errc{} && stop == text.data() + text.size() && std::isfinite(full);
  const auto fast = parseDecimal(text);
  require(fast.has_value() == fullOk);
  require(!fast || *fast == full);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  RANGE.set(100);
  updateTrafficRadius();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TrafficFeedState& state = feed();
  // The first byte picks where the user and the park airport are, so both the
  // radius filter and the ground rules see reports near and far.
  const bool nearZurich = size > 0 && (data[0] & 1) != 0;
  state.setReferencePosition(nearZurich ? LatLon{47.4647, 8.5492} : LatLon{0.5, 0.5});
  if (size > 0 && (data[0] & 2) != 0) {
    state.setParkAirport({47.4647, 8.5492});
    state.setGroundElevation(1416.0);
  } else {
    state.clearParkAirport();
    state.clearGroundElevation();
  }
  state.setCollecting(size > 0 && (data[0] & 4) != 0);
  if (const auto report = decodeTrafficDatagram(input, state)) checkReport(*report);
  state.clearSeenCallsigns();

  std::atomic<int32_t> lastQnh{1013};
  std::atomic<int32_t> feedState{2};
  decodeWeatherDatagram(input, {lastQnh, feedState});

  if (size <= 32) checkNumber(input);
  return 0;
}
