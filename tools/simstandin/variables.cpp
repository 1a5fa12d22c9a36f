#include "variables.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

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

struct KnownVariable {
  const char* name;
  Variable variable;
  Quantity quantity;
  bool settable;
};

// Lower-case names; a set-data record writes the settable ones.
constexpr KnownVariable kKnownVariables[] = {
    {"plane latitude", Variable::Latitude, Quantity::AngleDegrees, true},
    {"plane longitude", Variable::Longitude, Quantity::AngleDegrees, true},
    {"plane pitch degrees", Variable::Pitch, Quantity::AngleRadians, true},
    {"plane bank degrees", Variable::Bank, Quantity::AngleRadians, true},
    {"plane heading degrees true", Variable::Heading, Quantity::AngleRadians, true},
    {"plane heading degrees magnetic", Variable::Heading, Quantity::AngleRadians, false},
    {"plane altitude", Variable::Altitude, Quantity::LengthFeet, true},
    {"plane alt above ground", Variable::AltitudeAboveGround, Quantity::LengthFeet, false},
    {"ground altitude", Variable::GroundAltitude, Quantity::LengthFeet, false},
    {"ground velocity", Variable::GroundVelocity, Quantity::SpeedKnots, true},
    {"airspeed true", Variable::AirspeedTrue, Quantity::SpeedKnots, true},
    {"vertical speed", Variable::VerticalSpeed, Quantity::SpeedFeetPerSecond, true},
    {"sim on ground", Variable::OnGround, Quantity::Plain, false},
    {"zulu time", Variable::ZuluTime, Quantity::Plain, false},
    {"zulu day of year", Variable::ZuluDayOfYear, Quantity::Plain, false},
    {"zulu year", Variable::ZuluYear, Quantity::Plain, false},
    {"light states", Variable::LightStates, Quantity::Plain, false},
    {"light on states", Variable::LightStates, Quantity::Plain, false},
    {"static cg to ground", Variable::StaticCgToGround, Quantity::LengthFeet, false},
    {"static pitch", Variable::StaticPitch, Quantity::AngleRadians, false},
    {"atc id", Variable::AtcId, Quantity::Plain, false},
    {"title", Variable::Title, Quantity::Plain, false},
    {"atc model", Variable::AtcModel, Quantity::Plain, false},
};

bool readsZulu(Variable variable) {
  return variable == Variable::ZuluTime || variable == Variable::ZuluDayOfYear || variable == Variable::ZuluYear;
}

// The stored value of a numeric variable.
double numberOf(Variable variable, const SimObject& o, const World& world, const ZuluTime* zulu) {
  switch (variable) {
    case Variable::Latitude: return o.latitude;
    case Variable::Longitude: return o.longitude;
    case Variable::Pitch: return o.pitch;
    case Variable::Bank: return o.bank;
    case Variable::Heading: return o.heading;
    case Variable::Altitude: return o.altitudeFeet;
    case Variable::AltitudeAboveGround: return world.altitudeAboveGround(o);
    case Variable::GroundAltitude: return world.groundElevationFeet();
    case Variable::GroundVelocity: return o.groundSpeedKnots;
    case Variable::AirspeedTrue: return o.trueAirspeedKnots;
    case Variable::VerticalSpeed: return o.verticalSpeedFps;
    case Variable::OnGround: return world.onGround(o) ? 1.0 : 0.0;
    case Variable::ZuluTime: return static_cast<double>(zulu->secondsOfDay);
    case Variable::ZuluDayOfYear: return static_cast<double>(zulu->dayOfYear);
    case Variable::ZuluYear: return static_cast<double>(zulu->year);
    case Variable::LightStates: return static_cast<double>(o.lightStates);
    case Variable::StaticCgToGround: return kStaticCgToGroundFeet;
    case Variable::StaticPitch: return kStaticPitchRadians;
    default: return 0.0;
  }
}

const std::string* textOf(Variable variable, const SimObject& o) {
  switch (variable) {
    case Variable::AtcId: return &o.atcId;
    case Variable::Title: return &o.title;
    case Variable::AtcModel: return &o.atcModel;
    default: return nullptr;
  }
}

double* settableValue(Variable variable, SimObject& o) {
  switch (variable) {
    case Variable::Latitude: return &o.latitude;
    case Variable::Longitude: return &o.longitude;
    case Variable::Pitch: return &o.pitch;
    case Variable::Bank: return &o.bank;
    case Variable::Heading: return &o.heading;
    case Variable::Altitude: return &o.altitudeFeet;
    case Variable::VerticalSpeed: return &o.verticalSpeedFps;
    case Variable::AirspeedTrue: return &o.trueAirspeedKnots;
    case Variable::GroundVelocity: return &o.groundSpeedKnots;
    default: return nullptr;
  }
}

}  // namespace

Datum makeDatum(const std::string& name, const std::string& units, DataType type) {
  Datum datum{name, units, type};
  const std::string key = lower(name);
  for (const KnownVariable& known : kKnownVariables) {
    if (key != known.name) continue;
    datum.variable = known.variable;
    datum.settable = known.settable;
    datum.unitsPerStoredUnit = unitFactor(known.quantity, lower(units));
    break;
  }
  return datum;
}

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
                std::optional<ZuluTime>& zulu) {
  if (readsZulu(datum.variable) && !zulu) zulu = zuluTimeNow();
  const std::string* text = textOf(datum.variable, object);
  const double number =
      text != nullptr ? 0.0
                      : numberOf(datum.variable, object, world, zulu ? &*zulu : nullptr) * datum.unitsPerStoredUnit;
  switch (datum.type) {
    case DataType::Float64: out.float64(number); break;
    case DataType::Float32: out.float32(static_cast<float>(number)); break;
    case DataType::Int64: out.int64(std::llround(number)); break;
    case DataType::Int32: out.int32(static_cast<int32_t>(std::lround(number))); break;
    case DataType::StringV: out.variableString(text != nullptr ? *text : std::string_view()); break;
    default: out.fixedString(text != nullptr ? *text : std::string_view(), tfx::simconnect::datumSize(datum.type)); break;
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
  if (!datum.settable) return;
  if (double* target = settableValue(datum.variable, object)) *target = number / datum.unitsPerStoredUnit;
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
