#include "core/meta_block.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

#include <chrono>
#include <mutex>

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

void addInfo(pugi::xml_node meta, std::string_view name, std::string_view value) {
  pugi::xml_node info = meta.append_child("info");
  info.append_attribute("name").set_value(std::string(name).c_str());
  info.append_attribute("value").set_value(std::string(value).c_str());
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
  addInfo(meta, META_AUTHOR.name(), kAuthor);
  addInfo(meta, META_VERSION.name(), runningVersion().text());
  // The date is written as an ISO date (UTC), which sorts and reads the same everywhere.
  addInfo(meta, META_DATE.name(), fmt::format("{:%Y-%m-%d}", fmt::gmtime(std::time(nullptr))));
  addInfo(meta, META_COPYRIGHT.name(), META_COPYRIGHT.defaultValue());
  const std::string family = simulatorFamily();
  if (family == "MSFS") {
    addInfo(meta, META_MSFS.name(), "2020");
  } else {
    addInfo(meta, META_P3D.name(), "v5/v6");
  }
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
