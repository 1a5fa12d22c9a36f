#include "world_sources.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tfx::simworld {
namespace {

std::vector<std::string> listItems(const char* text) {
  std::vector<std::string> items;
  std::stringstream stream(text);
  for (std::string item; std::getline(stream, item, ',');) {
    const size_t first = item.find_first_not_of(" \t");
    const size_t last = item.find_last_not_of(" \t");
    if (first != std::string::npos) items.push_back(item.substr(first, last - first + 1));
  }
  return items;
}

std::set<std::string> codesOf(const pugi::xml_document& document, const char* section, const char* attribute) {
  std::set<std::string> codes;
  for (pugi::xml_node node : document.child(section).children()) {
    for (std::string& code : listItems(node.attribute(attribute).as_string())) codes.insert(std::move(code));
  }
  return codes;
}

// One CSV or openflights line split at commas, honouring double quotes.
std::vector<std::string> csvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (c != '\r') {
      fields.back() += c;
    }
  }
  return fields;
}

std::ifstream opened(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error(fmt::format("cannot read {}", file.string()));
  return in;
}

bool truthy(const char* text) { return text[0] != '\0' && std::strchr("1tTyY", text[0]) != nullptr; }

bool plainText(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c >= 0x7f || c == ';' || c == '"' || c == '[') return false;
  }
  return !text.empty();
}

}  // namespace

WorldSources readWorldSources(const SourceFiles& files) {
  WorldSources sources;
  pugi::xml_document dbase;
  if (!dbase.load_file(files.dbaseXml.c_str())) throw std::runtime_error(fmt::format("cannot read {}", files.dbaseXml.string()));
  const std::set<std::string> types = codesOf(dbase, "aircrafts", "types");
  sources.airlines = codesOf(dbase, "ICAO_airlines", "codes");
  sources.heavyTypes = codesOf(dbase, "heavy", "types");
  for (pugi::xml_node fix : dbase.child("fixes").children("fx")) {
    const std::string wrong = fix.attribute("wro").as_string();
    const std::string correct = fix.attribute("cor").as_string();
    if (!types.contains(wrong) && types.contains(correct)) sources.fixes.emplace_back(wrong, correct);
  }
  for (pugi::xml_node record : dbase.child("dbase").children("db")) {
    Registration registration{record.attribute("reg").as_string(), record.attribute("airl").as_string(),
                              record.attribute("type").as_string(), truthy(record.attribute("cargo").as_string())};
    if (!sources.allRegistrations.insert(registration.reg).second) continue;
    if (registration.reg.size() < 6) sources.shortRegistrations.push_back(registration.reg);
    // Hyphenated or N- registrations only: a bare one may stand for another record.
    const bool unambiguous = registration.reg.find('-') != std::string::npos || registration.reg.front() == 'N';
    if (!unambiguous || registration.reg.size() > 12 || !sources.airlines.contains(registration.airline) ||
        !types.contains(registration.type) || registration.airline == "ZZZ") {
      continue;
    }
    sources.byType[registration.type].push_back(std::move(registration));
  }
  std::ifstream airlines = opened(files.airlinesDat);
  for (std::string line; std::getline(airlines, line);) {
    const std::vector<std::string> fields = csvFields(line);
    if (fields.size() > 4 && sources.airlines.contains(fields[4]) && plainText(fields[1])) {
      sources.airlineNames.try_emplace(fields[4], fields[1]);
    }
  }
  std::ifstream aircraftTypes = opened(files.aircraftTypesCsv);
  for (std::string line; std::getline(aircraftTypes, line);) {
    const std::vector<std::string> fields = csvFields(line);
    if (fields.size() > 3 && types.contains(fields[0]) && plainText(fields[3])) sources.typeNames.try_emplace(fields[0], fields[3]);
  }
  pugi::xml_document aig;
  if (!aig.load_file(files.aigRegcodesXml.c_str())) {
    throw std::runtime_error(fmt::format("cannot read {}", files.aigRegcodesXml.string()));
  }
  for (pugi::xml_node livery : aig.child("AIG-regcodes").children("livery")) {
    const std::vector<std::string> registrations = listItems(livery.attribute("reg").as_string());
    if (registrations.size() == 1) sources.aigTitles.try_emplace(registrations[0], livery.attribute("title").as_string());
  }
  if (sources.byType.empty()) throw std::runtime_error(fmt::format("no usable registrations in {}", files.dbaseXml.string()));
  return sources;
}

}  // namespace tfx::simworld
