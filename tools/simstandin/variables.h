#pragma once
// Simulation variables by name: the value of a datum of a client's data
// definition, read from an object's state in the unit the client asked for,
// and written back for set-data records.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/simconnect/object_data.h"
#include "sim/simconnect/wire_constants.h"
#include "world.h"

namespace tfx::simstandin {

// The variables the stand-in knows; every other name reads as 0 or an empty text.
enum class Variable {
  Unknown,
  Latitude,
  Longitude,
  Pitch,
  Bank,
  Heading,
  Altitude,
  AltitudeAboveGround,
  GroundAltitude,
  GroundVelocity,
  AirspeedTrue,
  VerticalSpeed,
  OnGround,
  ZuluTime,
  ZuluDayOfYear,
  ZuluYear,
  LightStates,
  StaticCgToGround,
  StaticPitch,
  AtcId,
  Title,
  AtcModel,
};

// One datum of a client's data definition, its variable and unit looked up
// once when the client defines it, since frames read it again and again.
struct Datum {
  std::string name;
  std::string units;
  tfx::simconnect::DataType type = tfx::simconnect::DataType::Float64;
  Variable variable = Variable::Unknown;
  bool settable = false;  // set-data records write it
  double unitsPerStoredUnit = 1.0;
};

// Names and units compare case-blind.
Datum makeDatum(const std::string& name, const std::string& units, tfx::simconnect::DataType type);

struct ZuluTime {
  int64_t secondsOfDay = 0;
  int64_t dayOfYear = 1;
  int64_t year = 2024;
};
ZuluTime zuluTimeNow();

// Unknown variables give 0 or an empty text; the zulu time is taken only for a datum that reads it.
void writeDatum(tfx::simconnect::DatumWriter& out, const Datum& datum, const SimObject& object, const World& world,
                std::optional<ZuluTime>& zulu);

// Applies one datum of a set-data record; variables that cannot be set are read and skipped.
void readDatum(tfx::simconnect::DatumReader& in, const Datum& datum, SimObject& object);

// Bytes of one record of the definition; 0 when it holds a variable string.
uint32_t recordSize(const std::vector<Datum>& definition);

}  // namespace tfx::simstandin
