#include "lab_fidelity.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "realtraffic/traffic_fields.h"
#include "recording.h"

namespace tfx::lab {
namespace {

constexpr double kMetersPerDegree = 111120.0;  // one minute of arc is one nautical mile
constexpr double kMetersPerSecondPerKnot = 1852.0 / 3600.0;
constexpr double kGroundPaceFloorMps = 5.0 * kMetersPerSecondPerKnot;
// The feed's own on-ground flag (1 on the ground), which the program does not read.
constexpr size_t kOnGroundField = 6;

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

std::optional<double> numberOf(std::string_view text) {
  double value = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || stop != text.data() + text.size()) return std::nullopt;
  return value;
}

// Flat metres east and north of `origin`.
struct Offset {
  double east = 0, north = 0;
};
Offset offsetOf(const LatLon& origin, double lat, double lon) {
  return {(lon - origin.lon) * kMetersPerDegree * std::cos(origin.lat * kDegToRad), (lat - origin.lat) * kMetersPerDegree};
}

double distanceM(const LatLon& a, const LatLon& b) {
  const Offset o = offsetOf(a, b.lat, b.lon);
  return std::hypot(o.east, o.north);
}

}  // namespace

double distanceToSegmentM(const LatLon& point, const LatLon& a, const LatLon& b) {
  const Offset oa = offsetOf(point, a.lat, a.lon);
  const Offset ob = offsetOf(point, b.lat, b.lon);
  const double dx = ob.east - oa.east;
  const double dy = ob.north - oa.north;
  const double length2 = dx * dx + dy * dy;
  const double u = length2 > 0.0 ? std::clamp(-(oa.east * dx + oa.north * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(oa.east + u * dx, oa.north + u * dy);
}

namespace {

// The reports whose segments reach into the window [from, to]: indexes first..last.
struct Window {
  size_t first = 0, last = 0;
  bool empty = true;
};
Window windowOf(const std::vector<RealPoint>& real, double from, double to) {
  Window window;
  const auto begin = std::lower_bound(real.begin(), real.end(), from,
                                      [](const RealPoint& p, double t) { return p.seconds < t; });
  const auto end = std::upper_bound(real.begin(), real.end(), to,
                                    [](double t, const RealPoint& p) { return t < p.seconds; });
  if (real.empty() || (begin == real.end() && real.back().seconds < from) || end == real.begin()) return window;
  window.first = static_cast<size_t>(std::max<ptrdiff_t>(0, begin - real.begin() - 1));
  window.last = std::min(real.size() - 1, static_cast<size_t>(end - real.begin()));
  window.empty = false;
  return window;
}

double lateralErrorM(const std::vector<RealPoint>& real, const Window& window, const ShownFrame& frame) {
  const LatLon at{frame.lat, frame.lon};
  if (window.first == window.last) return distanceM(at, {real[window.first].lat, real[window.first].lon});
  double best = INFINITY;
  for (size_t i = window.first; i < window.last; ++i) {
    best = std::min(best, distanceToSegmentM(at, {real[i].lat, real[i].lon}, {real[i + 1].lat, real[i + 1].lon}));
  }
  return best;
}

double verticalErrorFt(const std::vector<RealPoint>& real, const Window& window, double altitude) {
  double low = INFINITY, high = -INFINITY;
  for (size_t i = window.first; i <= window.last; ++i) {
    low = std::min(low, real[i].altitude);
    high = std::max(high, real[i].altitude);
  }
  return altitude < low ? low - altitude : altitude > high ? altitude - high : 0.0;
}

// Metres per second: the largest reported speed of the window, or the
// largest speed between its reports when that is more (ground reports often carry none).
double fastestMps(const std::vector<RealPoint>& real, const Window& window) {
  double fastest = 0.0;
  for (size_t i = window.first; i <= window.last; ++i) {
    fastest = std::max(fastest, real[i].groundSpeed * kMetersPerSecondPerKnot);
    if (i == window.last) continue;
    const double dt = real[i + 1].seconds - real[i].seconds;
    if (dt > 0.0)
      fastest = std::max(fastest, distanceM({real[i].lat, real[i].lon}, {real[i + 1].lat, real[i + 1].lon}) / dt);
  }
  return fastest;
}

double percentile95(std::vector<double> values) {
  if (values.empty()) return 0.0;
  const size_t index = std::min(values.size() - 1, values.size() * 95 / 100);
  std::nth_element(values.begin(), values.begin() + static_cast<ptrdiff_t>(index), values.end());
  return values[index];
}

void measureTouchdown(const std::vector<ShownFrame>& shown, size_t index, const FidelityOptions& options,
                      Fidelity& result) {
  const ShownFrame& down = shown[index];
  result.touchdown = LatLon{down.lat, down.lon};
  if (!options.runway) return;
  auto [from, to] = *options.runway;
  const ShownFrame& before = shown[index - 1];
  // The aircraft rolls from the end it came from towards the other one.
  const Offset runway = offsetOf(from, to.lat, to.lon);
  const Offset motion = offsetOf({before.lat, before.lon}, down.lat, down.lon);
  if (runway.east * motion.east + runway.north * motion.north < 0.0) std::swap(from, to);
  const Offset axis = offsetOf(from, to.lat, to.lon);
  const Offset point = offsetOf(from, down.lat, down.lon);
  const double length = std::hypot(axis.east, axis.north);
  const double along = (point.east * axis.east + point.north * axis.north) / length;
  result.touchdownAlongM = along;
  result.touchdownFraction = along / length;
  result.touchdownCrossM = std::fabs(point.east * axis.north - point.north * axis.east) / length;
}

}  // namespace

std::vector<RealPoint> readRealTrack(const std::filesystem::path& recording, uint32_t hexid, double groundElevation) {
  std::vector<RealPoint> track;
  for (const auto& entry : feedstandin::loadRecording(recording)) {
    const std::vector<std::string_view> fields = splitFields(entry.datagram);
    if (fields.size() < traffic_fields::kFieldCount) continue;
    if (numberOf(fields[traffic_fields::kHexid]) != static_cast<double>(hexid)) continue;
    const auto lat = numberOf(fields[traffic_fields::kLat]);
    const auto lon = numberOf(fields[traffic_fields::kLon]);
    if (!lat || !lon) continue;
    RealPoint point;
    point.seconds = entry.offsetMs / 1000.0;
    point.lat = *lat;
    point.lon = *lon;
    point.groundSpeed = numberOf(fields[traffic_fields::kGroundSpeed]).value_or(0.0);
    point.airborne = numberOf(fields[kOnGroundField]) == 0.0;
    point.altitude = point.airborne ? numberOf(fields[traffic_fields::kAltitude]).value_or(0.0) : groundElevation;
    track.push_back(point);
  }
  std::stable_sort(track.begin(), track.end(), [](const RealPoint& a, const RealPoint& b) { return a.seconds < b.seconds; });
  return track;
}

std::vector<ShownFrame> readShownFrames(const std::filesystem::path& frames, uint32_t hexid) {
  std::ifstream stream(frames);
  if (!stream) throw std::runtime_error(fmt::format("cannot read {}", frames.string()));
  std::vector<ShownFrame> shown;
  std::string line;
  std::getline(stream, line);
  for (int number = 2; std::getline(stream, line); ++number) {
    const std::vector<std::string_view> fields = splitFields(line);
    // t_s,hexid,object_id,lat,lon,alt_ft,pitch_deg,bank_deg,heading_deg,on_ground,state
    if (fields.size() != 11) throw std::runtime_error(fmt::format("{}:{}: expected 11 fields", frames.string(), number));
    if (numberOf(fields[1]) != static_cast<double>(hexid)) continue;
    const auto seconds = numberOf(fields[0]), objectId = numberOf(fields[2]), lat = numberOf(fields[3]),
               lon = numberOf(fields[4]), altitude = numberOf(fields[5]);
    if (!seconds || !objectId || !lat || !lon || !altitude)
      throw std::runtime_error(fmt::format("{}:{}: not a number", frames.string(), number));
    shown.push_back({*seconds, *lat, *lon, *altitude, fields[9] == "1", static_cast<uint32_t>(*objectId)});
  }
  return shown;
}

Fidelity measureFidelity(const std::vector<RealPoint>& real, const std::vector<ShownFrame>& shown,
                         const FidelityOptions& options) {
  Fidelity result;
  std::vector<double> lateral;
  bool landed = false;
  for (size_t i = 0; i < shown.size(); ++i) {
    const ShownFrame& frame = shown[i];
    const double realTime = frame.seconds - options.delaySeconds;
    // A frame before the first report or after the last one has no real counterpart.
    if (real.empty() || realTime < real.front().seconds || realTime > real.back().seconds) continue;
    const Window window = windowOf(real, realTime - options.behindSeconds, realTime + options.aheadSeconds);
    if (window.empty) continue;
    const bool previousAirborne = i > 0 && !shown[i - 1].onGround;
    if (frame.onGround) {
      ++result.framesGround;
      if (previousAirborne && !landed) {
        landed = true;
        measureTouchdown(shown, i, options, result);
      }
    } else {
      ++result.framesAir;
      lateral.push_back(lateralErrorM(real, window, frame));
      result.verticalMaxFt = std::max(result.verticalMaxFt, verticalErrorFt(real, window, frame.altitude));
      if (!landed && frame.altitude <= options.groundElevation) ++result.framesBelowGroundAir;
    }
    // An aircraft removed and made again is a new object wherever it appears.
    if (i == 0 || frame.objectId != shown[i - 1].objectId) continue;
    const double dt = frame.seconds - shown[i - 1].seconds;
    // On the ground an aircraft whose reports stand still is still driven onto
    // its stand or pushed back: its steps are measured against at least 5 knots.
    const double fastest = frame.onGround ? std::max(fastestMps(real, window), kGroundPaceFloorMps)
                                          : fastestMps(real, window);
    if (dt <= 0.0 || fastest <= 0.0) continue;
    const double ratio = distanceM({shown[i - 1].lat, shown[i - 1].lon}, {frame.lat, frame.lon}) / (fastest * dt);
    double& largest = frame.onGround ? result.jumpRatioGround : result.jumpRatioAir;
    largest = std::max(largest, ratio);
  }
  if (!lateral.empty()) {
    result.lateralMaxM = *std::max_element(lateral.begin(), lateral.end());
    result.lateralP95M = percentile95(std::move(lateral));
  }
  return result;
}

}  // namespace tfx::lab
