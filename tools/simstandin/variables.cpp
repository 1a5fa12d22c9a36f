#include "variables.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <variant>

#include "text.h"

namespace tfx::simstandin {
namespace {

using tfx::simconnect::DataType;

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// What a variable measures, in its stored unit.
enum class Quantity { Plain, AngleRadians, AngleDegrees, LengthFeet, SpeedKnots, SpeedFeetPerSecond };

// Unit values per stored unit.
double unitFactor(Quantity quantity, const std::string& unit) {
  switch (quantity) {
    case Quantity::AngleRadians:
      return unit.starts_with("degree") ? kRadToDeg : 1.0;
    case Quantity::AngleDegrees:
      return unit.starts_with("radian") ? 1.0 / kRadToDeg : 1.0;
    case Quantity::LengthFeet:
      return unit.starts_with("meter") || unit.starts_with("metre") || unit == "m" ? 0.3048 : 1.0;
    case Quantity::SpeedKnots:
      if (unit == "meters per second" || unit == "m/s") return 0.514444;
      if (unit == "feet per second") return 1.68781;
      return 1.0;
    case Quantity::SpeedFeetPerSecond:
      if (unit == "feet per minute" || unit == "ft/min") return 60.0;
      if (unit == "meters per second" || unit == "m/s") return 0.3048;
      return 1.0;
    case Quantity::Plain: return 1.0;
  }
  return 1.0;
}

using Value = std::variant<double, std::string>;

// The stored value of a variable and what it measures; nullopt for unknown names.
std::optional<std::pair<Value, Quantity>> valueOf(const std::string& name, const SimObject& o, const World& world,
                                                  const ZuluTime& zulu) {
  using Q = Quantity;
  if (name == "plane latitude") return {{o.latitude, Q::AngleDegrees}};
  if (name == "plane longitude") return {{o.longitude, Q::AngleDegrees}};
  if (name == "plane pitch degrees") return {{o.pitch, Q::AngleRadians}};
  if (name == "plane bank degrees") return {{o.bank, Q::AngleRadians}};
  if (name == "plane heading degrees true" || name == "plane heading degrees magnetic")
    return {{o.heading, Q::AngleRadians}};
  if (name == "plane altitude") return {{o.altitudeFeet, Q::LengthFeet}};
  if (name == "plane alt above ground") return {{world.altitudeAboveGround(o), Q::LengthFeet}};
  if (name == "ground altitude") return {{world.groundElevationFeet(), Q::LengthFeet}};
  if (name == "ground velocity") return {{o.groundSpeedKnots, Q::SpeedKnots}};
  if (name == "airspeed true") return {{o.trueAirspeedKnots, Q::SpeedKnots}};
  if (name == "vertical speed") return {{o.verticalSpeedFps, Q::SpeedFeetPerSecond}};
  if (name == "sim on ground") return {{world.onGround(o) ? 1.0 : 0.0, Q::Plain}};
  if (name == "zulu time") return {{static_cast<double>(zulu.secondsOfDay), Q::Plain}};
  if (name == "zulu day of year") return {{static_cast<double>(zulu.dayOfYear), Q::Plain}};
  if (name == "zulu year") return {{static_cast<double>(zulu.year), Q::Plain}};
  if (name == "light states" || name == "light on states") return {{static_cast<double>(o.lightStates), Q::Plain}};
  if (name == "static cg to ground") return {{kStaticCgToGroundFeet, Q::LengthFeet}};
  if (name == "static pitch") return {{kStaticPitchRadians, Q::AngleRadians}};
  if (name == "atc id") return {{o.atcId, Q::Plain}};
  if (name == "title") return {{o.title, Q::Plain}};
  if (name == "atc model") return {{o.atcModel, Q::Plain}};
  return std::nullopt;
}

// Settable variables and what they measure.
std::pair<double*, Quantity> settable(const std::string& name, SimObject& o) {
  using Q = Quantity;
  if (name == "plane latitude") return {&o.latitude, Q::AngleDegrees};
  if (name == "plane longitude") return {&o.longitude, Q::AngleDegrees};
  if (name == "plane pitch degrees") return {&o.pitch, Q::AngleRadians};
  if (name == "plane bank degrees") return {&o.bank, Q::AngleRadians};
  if (name == "plane heading degrees true") return {&o.heading, Q::AngleRadians};
  if (name == "plane altitude") return {&o.altitudeFeet, Q::LengthFeet};
  if (name == "vertical speed") return {&o.verticalSpeedFps, Q::SpeedFeetPerSecond};
  if (name == "airspeed true") return {&o.trueAirspeedKnots, Q::SpeedKnots};
  if (name == "ground velocity") return {&o.groundSpeedKnots, Q::SpeedKnots};
  return {nullptr, Q::Plain};
}

}  // namespace

ZuluTime zuluTimeNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto today = floor<days>(now);
  const year_month_day date{today};
  const auto newYear = sys_days{date.year() / January / 1};
  return {duration_cast<seconds>(now - today).count(), (today - newYear).count() + 1,
          static_cast<int>(date.year())};
}

void writeDatum(tfx::simconnect::DatumWriter& out, const Datum& datum, const SimObject& object, const World& world,
                const ZuluTime& zulu) {
  const std::string name = lower(datum.name);
  const auto known = valueOf(name, object, world, zulu);
  double number = 0;
  std::string text;
  if (known) {
    if (const double* value = std::get_if<double>(&known->first))
      number = *value * unitFactor(known->second, lower(datum.units));
    else
      text = std::get<std::string>(known->first);
  }
  switch (datum.type) {
    case DataType::Float64: out.float64(number); break;
    case DataType::Float32: out.float32(static_cast<float>(number)); break;
    case DataType::Int64: out.int64(std::llround(number)); break;
    case DataType::Int32: out.int32(static_cast<int32_t>(std::lround(number))); break;
    case DataType::StringV: out.variableString(text); break;
    default: out.fixedString(text, tfx::simconnect::datumSize(datum.type)); break;
  }
}

void readDatum(tfx::simconnect::DatumReader& in, const Datum& datum, SimObject& object) {
  double number = 0;
  switch (datum.type) {
    case DataType::Float64: number = in.float64(); break;
    case DataType::Float32: number = in.float32(); break;
    case DataType::Int64: number = static_cast<double>(in.int64()); break;
    case DataType::Int32: number = in.int32(); break;
    case DataType::StringV: in.variableString(); return;
    default: in.fixedString(tfx::simconnect::datumSize(datum.type)); return;
  }
  const auto [target, quantity] = settable(lower(datum.name), object);
  if (target != nullptr) *target = number / unitFactor(quantity, lower(datum.units));
}

uint32_t recordSize(const std::vector<Datum>& definition) {
  uint32_t size = 0;
  for (const Datum& datum : definition) {
    const uint32_t one = tfx::simconnect::datumSize(datum.type);
    if (one == 0) return 0;
    size += one;
  }
  return size;
}

}  // namespace tfx::simstandin
