#pragma once
// Simulation variables by name: the value of a datum of a client's data
// definition, read from an object's state in the unit the client asked for,
// and written back for set-data records.
#include <cstdint>
#include <string>

#include "sim/simconnect/object_data.h"
#include "sim/simconnect/wire_constants.h"
#include "world.h"

namespace tfx::simstandin {

struct Datum {
  std::string name;
  std::string units;
  tfx::simconnect::DataType type = tfx::simconnect::DataType::Float64;
};

struct ZuluTime {
  int64_t secondsOfDay = 0;
  int64_t dayOfYear = 1;
  int64_t year = 2024;
};
ZuluTime zuluTimeNow();

// Unknown variables give 0 or an empty text.
void writeDatum(tfx::simconnect::DatumWriter& out, const Datum& datum, const SimObject& object, const World& world,
                const ZuluTime& zulu);

// Applies one datum of a set-data record; variables that cannot be set are read and skipped.
void readDatum(tfx::simconnect::DatumReader& in, const Datum& datum, SimObject& object);

// Bytes of one record of the definition; 0 when it holds a variable string.
uint32_t recordSize(const std::vector<Datum>& definition);

}  // namespace tfx::simstandin
