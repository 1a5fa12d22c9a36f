#include "core/meta_block.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

#include <chrono>
#include <mutex>
#include <vector>

#include "core/parameters.h"
#include "core/version.h"

namespace tfx {
namespace {

constexpr std::string_view kAuthor = "Aeroshadow_P3D developers";

struct FamilyState {
  std::mutex lock;
  std::string family = "P3D";
};

FamilyState& familyState() {
  static FamilyState state;
  return state;
}

struct MetaEntry {
  std::string_view name;
  std::string value;
};

// The entries in the order they are written.
std::vector<MetaEntry> metaEntries() {
  std::vector<MetaEntry> entries{{META_AUTHOR.name(), std::string(kAuthor)},
                                 {META_VERSION.name(), runningVersion().text()},
                                 // An ISO date (UTC) sorts and reads the same everywhere.
                                 {META_DATE.name(), fmt::format("{:%Y-%m-%d}", fmt::gmtime(std::time(nullptr)))},
                                 {META_COPYRIGHT.name(), META_COPYRIGHT.defaultValue()}};
  if (simulatorFamily() == "MSFS") {
    entries.push_back({META_MSFS.name(), "2020"});
  } else {
    entries.push_back({META_P3D.name(), "v5/v6"});
  }
  return entries;
}

}  // namespace

std::string simulatorFamily() {
  std::lock_guard guard(familyState().lock);
  return familyState().family;
}

void setSimulatorFamily(std::string_view family) {
  std::lock_guard guard(familyState().lock);
  familyState().family = family;
}

void writeMetaBlock(pugi::xml_document& document) {
  pugi::xml_node meta = document.append_child("meta");
  for (const MetaEntry& entry : metaEntries()) {
    pugi::xml_node info = meta.append_child("info");
    info.append_attribute("name").set_value(std::string(entry.name).c_str());
    info.append_attribute("value").set_value(entry.value.c_str());
  }
}

void writeMetaBlock(XmlTextWriter& writer) {
  writer.open("meta");
  for (const MetaEntry& entry : metaEntries()) {
    writer.open("info");
    writer.attribute("name", entry.name);
    writer.attribute("value", entry.value);
    writer.close();
  }
  writer.close();
}

std::optional<std::string> readMetaInfo(const pugi::xml_document& document, std::string_view key) {
  try {
    // The key travels as an XPath variable, so no quote in it can change the query.
    pugi::xpath_variable_set variables;
    variables.set("key", std::string(key).c_str());
    pugi::xpath_node match = document.select_node("/meta/info[@name=$key]", &variables);
    if (!match) return std::nullopt;
    return std::string(match.node().attribute("value").as_string());
  } catch (const pugi::xpath_exception&) {
    return std::nullopt;
  }
}

}  // namespace tfx
