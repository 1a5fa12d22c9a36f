#include "airports/stand_file_write.h"

#include <fmt/format.h>

#include <string>

#include "aircraft/aircraft_queries.h"
#include "airports/parking_parameters.h"
#include "core/meta_block.h"
#include "core/xml_files.h"

namespace tfx::airports {
namespace {

void addParameter(pugi::xml_node parameters, const char* name, const std::string& value) {
  pugi::xml_node parameter = parameters.append_child("parameter");
  parameter.append_attribute("name").set_value(name);
  parameter.append_attribute("value").set_value(value.c_str());
}

void setText(pugi::xml_node node, const char* name, const std::string& value) {
  node.append_attribute(name).set_value(value.c_str());
}

std::string hourList(const HourSet& hours) {
  std::string list;
  for (size_t slot = 0; slot < hours.size(); ++slot) {
    if (!hours.test(slot)) continue;
    if (!list.empty()) list += ',';
    list += std::to_string(slot);
  }
  return list;
}

void writeOption(pugi::xml_node parkpos, const StandOption& option) {
  pugi::xml_node opt = parkpos.append_child("opt");
  setText(opt, "reg", option.registration);
  if (option.registration.empty() || !gf_findRegcode(option.registration)) {
    setText(opt, "airl", option.airline);
    setText(opt, "type", option.type);
  }
  if (option.real == 0) setText(opt, "soft", "true");
  setText(opt, "day", std::to_string(option.day));
  setText(opt, "hh", hourList(option.halfHours));
  setText(opt, "cs", option.callsignNote.empty() ? option.callsign : option.callsign + ":" + option.callsignNote);
}

std::string meters(double nm) { return fmt::format("{:.1f}", nm / kNmPerMeter); }

void writeStand(pugi::xml_node positions, const Stand& stand, bool everything) {
  pugi::xml_node parkpos = positions.append_child("parkpos");
  setText(parkpos, "id", stand.id);
  if (everything || stand.manual) {
    setText(parkpos, "latitude", fmt::format("{:.6f}", stand.lat));
    setText(parkpos, "longitude", fmt::format("{:.6f}", stand.lon));
    setText(parkpos, "heading", fmt::format("{:.1f}", stand.heading * kRadToDeg));
    setText(parkpos, "radius", meters(stand.radius));
    if (stand.heli) {
      setText(parkpos, "heli", "true");
    } else {
      setText(parkpos, "cargo", stand.cargo ? "true" : "false");
    }
    setText(parkpos, "ramp", stand.ramp ? "true" : "false");
    if (stand.manual) setText(parkpos, "manual", "true");
  } else {
    if (stand.radiusChanged) {
      setText(parkpos, "radius_change", "true");
      setText(parkpos, "radius", meters(stand.radius));
    }
    if (stand.cargoChanged) {
      setText(parkpos, "cargo_change", "true");
      setText(parkpos, "cargo", stand.cargo ? "true" : "false");
    }
  }
  for (const StandOption& option : stand.options) {
    if (option.index != 0) writeOption(parkpos, option);
  }
}

}  // namespace

pugi::xml_document standFileDocument(const StandFileContent& content, StandFileMode mode) {
  pugi::xml_document document;
  writeMetaBlock(document);
  pugi::xml_node parameters = document.append_child("parameters");
  addParameter(parameters, "airport_name", content.info.name);
  addParameter(parameters, "publisher", content.info.publisher);
  if (content.handmade) addParameter(parameters, "handmade", "true");
  addParameter(parameters, "altitude", std::to_string(content.info.altitude));
  addParameter(parameters, "num_parkpos", std::to_string(content.stands.size()));
  if (!content.bglPath.empty()) addParameter(parameters, "BGLpath", content.bglPath);
  if (content.handmade) {
    addParameter(parameters, "Qf_real", std::to_string(content.quality.real));
    addParameter(parameters, "Qf_soft", std::to_string(content.quality.soft));
  }
  appendParkingParameters(parameters);
  pugi::xml_node positions = document.append_child("parkpositions");
  const bool everything = mode == StandFileMode::All || content.handmade;
  for (const Stand& stand : content.stands) writeStand(positions, stand, everything);
  return document;
}

bool gf_writeAirportFile(const StandFileContent& content, const std::filesystem::path& path, StandFileMode mode) {
  return writeXmlAtomically(standFileDocument(content, mode), path);
}

}  // namespace tfx::airports
