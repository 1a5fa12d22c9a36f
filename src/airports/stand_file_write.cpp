#include "airports/stand_file_write.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <string_view>

#include "aircraft/aircraft_queries.h"
#include "airports/parking_parameters.h"
#include "core/fixed_decimals.h"
#include "core/geodesy.h"
#include "core/meta_block.h"
#include "core/xml_files.h"
#include "core/xml_text.h"

namespace tfx::airports {
namespace {

// Room for the meta block and parameters, a stand's attributes and an
// option's, so that the text is seldom moved while it grows.
constexpr size_t kHeadBytes = 2048;
constexpr size_t kStandBytes = 160;
constexpr size_t kOptionBytes = 96;
constexpr size_t kHourListChars = 3 * HourSet().size();  // two digits and a comma each

bool fromStandFile(const StandOption& option) { return option.origin == 1; }

// Whether a learned file has anything to say about the stand.
bool hasLearnedPart(const Stand& stand) {
  return stand.manual || stand.radiusChanged || stand.cargoChanged ||
         !std::all_of(stand.options.begin(), stand.options.end(), fromStandFile);
}

void addParameter(XmlTextWriter& writer, std::string_view name, std::string_view value) {
  writer.open("parameter");
  writer.attribute("name", name);
  writer.attribute("value", value);
  writer.close();
}

void addBool(XmlTextWriter& writer, std::string_view name, bool value) {
  writer.attribute(name, value ? "true" : "false");
}

void addMeters(XmlTextWriter& writer, std::string_view name, double nm) {
  writer.decimalAttribute(name, nm / kNmPerMeter, 1);
}

void writeHourList(XmlTextWriter& writer, const HourSet& hours) {
  std::array<char, kHourListChars> list;  // only the part written is read
  size_t length = 0;
  for (unsigned long long rest = hours.to_ullong(); rest != 0; rest &= rest - 1) {
    const int slot = std::countr_zero(rest);
    if (length > 0) list[length++] = ',';
    if (slot >= 10) list[length++] = static_cast<char>('0' + slot / 10);
    list[length++] = static_cast<char>('0' + slot % 10);
  }
  writer.attribute("hh", std::string_view(list.data(), length));
}

void writeOption(XmlTextWriter& writer, const StandOption& option) {
  writer.open("opt");
  writer.attribute("reg", option.registration);
  if (option.registration.empty() || !gf_findRegcode(option.registration)) {
    writer.attribute("airl", option.airline);
    writer.attribute("type", option.type);
  }
  if (option.real == 0) writer.attribute("soft", "true");
  writer.integerAttribute("day", option.day);
  writeHourList(writer, option.halfHours);
  if (option.callsignNote.empty()) {
    writer.attribute("cs", option.callsign);
  } else {
    writer.attribute("cs", option.callsign + ":" + option.callsignNote);
  }
  writer.close();
}

template <size_t N>
char* put(char* at, const char (&literal)[N]) {
  return std::copy_n(literal, N - 1, at);
}

template <size_t N>
char* putDecimal(char* at, const char (&opening)[N], double value, int decimals) {
  at = writeFixedDecimals(put(at, opening), value, decimals);
  *at++ = '"';
  return at;
}

char* putBool(char* at, bool value) { return value ? put(at, "true\"") : put(at, "false\""); }

// Whether the place and kind of a stand take the short form below; only an
// edited file can hold numbers too large for it.
bool placeFits(const Stand& stand) {
  return fixedDecimalsFit(stand.lat, 6) && fixedDecimalsFit(stand.lon, 6) &&
         fixedDecimalsFit(stand.heading * kRadToDeg, 1) && fixedDecimalsFit(stand.radius / kNmPerMeter, 1);
}

// A stand's place and kind as the writer would write them, built in one
// piece: a generated file is hundreds of these and little else.
constexpr size_t kPlaceRoom = 4 * kFixedDecimalsRoom + 128;  // the names and flags take less than 128
char* putPlace(char* at, const Stand& stand) {
  at = putDecimal(at, " latitude=\"", stand.lat, 6);
  at = putDecimal(at, " longitude=\"", stand.lon, 6);
  at = putDecimal(at, " heading=\"", stand.heading * kRadToDeg, 1);
  at = putDecimal(at, " radius=\"", stand.radius / kNmPerMeter, 1);
  at = stand.heli ? put(at, " heli=\"true\"") : putBool(put(at, " cargo=\""), stand.cargo);
  at = putBool(put(at, " ramp=\""), stand.ramp);
  if (stand.manual) at = put(at, " manual=\"true\"");
  return at;
}

// The same attributes one by one, for numbers of any size.
void writePlace(XmlTextWriter& writer, const Stand& stand) {
  writer.decimalAttribute("latitude", stand.lat, 6);
  writer.decimalAttribute("longitude", stand.lon, 6);
  writer.decimalAttribute("heading", stand.heading * kRadToDeg, 1);
  addMeters(writer, "radius", stand.radius);
  if (stand.heli) {
    writer.attribute("heli", "true");
  } else {
    addBool(writer, "cargo", stand.cargo);
  }
  addBool(writer, "ramp", stand.ramp);
  if (stand.manual) writer.attribute("manual", "true");
}

// Made-up occupancies (numbered 0) are never written.
bool writesOption(const StandOption& option, bool everything) {
  return option.index != 0 && (everything || !fromStandFile(option));
}

// A stand of a generated file: id, place and kind in one piece. False, with
// nothing written, for a stand that needs more.
constexpr size_t kShortIdChars = 64;
bool writeShortStand(XmlTextWriter& writer, const Stand& stand, bool everything) {
  if (!(everything || stand.manual) || stand.id.size() > kShortIdChars || !XmlTextWriter::plain(stand.id) ||
      !placeFits(stand) ||
      std::any_of(stand.options.begin(), stand.options.end(), [&](const StandOption& option) { return writesOption(option, everything); })) {
    return false;
  }
  std::array<char, sizeof(" id=\"\"") + kShortIdChars + kPlaceRoom> line;
  char* at = std::copy(stand.id.begin(), stand.id.end(), put(line.data(), " id=\""));
  *at++ = '"';
  at = putPlace(at, stand);
  writer.element("parkpos", std::string_view(line.data(), static_cast<size_t>(at - line.data())));
  return true;
}

void writeStand(XmlTextWriter& writer, std::string& text, const Stand& stand, bool everything) {
  if (writeShortStand(writer, stand, everything)) return;
  writer.open("parkpos");
  writer.attribute("id", stand.id);
  if (everything || stand.manual) {
    if (placeFits(stand)) {
      std::array<char, kPlaceRoom> place;
      text.append(place.data(), putPlace(place.data(), stand));
    } else {
      writePlace(writer, stand);
    }
  } else {
    if (stand.radiusChanged) {
      writer.attribute("radius_change", "true");
      addMeters(writer, "radius", stand.radius);
    }
    if (stand.cargoChanged) {
      writer.attribute("cargo_change", "true");
      addBool(writer, "cargo", stand.cargo);
    }
  }
  for (const StandOption& option : stand.options) {
    if (writesOption(option, everything)) writeOption(writer, option);
  }
  writer.close();
}

}  // namespace

void standFileText(const StandFileContent& content, StandFileMode mode, std::string& text) {
  const bool everything = mode == StandFileMode::All || content.handmade;
  size_t written = 0;
  size_t options = 0;
  for (const Stand& stand : content.stands) {
    if (!everything && !hasLearnedPart(stand)) continue;
    ++written;
    options += stand.options.size();
  }
  text.clear();
  text.reserve(kHeadBytes + written * kStandBytes + options * kOptionBytes);
  XmlTextWriter writer(text);
  writeMetaBlock(writer);
  writer.open("parameters");
  addParameter(writer, "airport_name", content.info.name);
  addParameter(writer, "publisher", content.info.publisher);
  if (content.handmade) addParameter(writer, "handmade", "true");
  addParameter(writer, "altitude", fmt::format("{}", content.info.altitude));
  addParameter(writer, "num_parkpos", fmt::format("{}", written));
  if (!content.bglPath.empty()) addParameter(writer, "BGLpath", content.bglPath);
  if (content.handmade) {
    addParameter(writer, "Qf_real", fmt::format("{}", content.quality.real));
    addParameter(writer, "Qf_soft", fmt::format("{}", content.quality.soft));
  }
  for (const auto& [name, value] : parkingParameterValues()) addParameter(writer, name, value);
  writer.close();
  writer.open("parkpositions");
  for (const Stand& stand : content.stands) {
    if (everything || hasLearnedPart(stand)) writeStand(writer, text, stand, everything);
  }
  writer.close();
}

std::string standFileText(const StandFileContent& content, StandFileMode mode) {
  std::string text;
  standFileText(content, mode, text);
  return text;
}

bool gf_writeAirportFile(const StandFileContent& content, const std::filesystem::path& path, StandFileMode mode) {
  return writeXmlAtomically(standFileText(content, mode), path);
}

}  // namespace tfx::airports
