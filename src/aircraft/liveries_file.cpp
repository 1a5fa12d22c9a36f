#include "aircraft/liveries_file.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include "core/log.h"
#include "core/meta_block.h"
#include "core/xml_files.h"
#include "core/xml_values.h"
#include "runstate/user_error.h"

namespace tfx {
namespace {

const char* requiredAttribute(pugi::xml_node livery, const char* name) {
  const pugi::xml_attribute attribute = livery.attribute(name);
  if (!attribute) throw UserErrorException(999, fmt::format("Missing required attribute '{}' in <{}>", name, "liv"));
  return attribute.value();
}

}  // namespace

bool saveScannedLiveries(const LiveryList& liveries, const std::filesystem::path& file) {
  pugi::xml_document document;
  writeMetaBlock(document);
  pugi::xml_node list = document.append_child("liveries");
  for (const LiveryData& livery : liveries) {
    pugi::xml_node node = list.append_child("liv");
    node.append_attribute("airl").set_value(livery.airline.c_str());
    node.append_attribute("type").set_value(livery.type.c_str());
    if (livery.cargo) node.append_attribute("cargo").set_value("true");
    node.append_attribute("title").set_value(livery.title.c_str());
    node.append_attribute("atcid").set_value(livery.atcId.c_str());
  }
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  if (!writeXmlAtomically(document, file)) {
    writeLogError(fmt::format("could not save to '{}'", file.string()));
    return false;
  }
  writeLog(fmt::format("{} liveries in {}", liveries.size(), file.string()));
  return true;
}

LiveryList readScannedLiveries(const std::filesystem::path& file) {
  pugi::xml_document document;
  if (!document.load_file(file.c_str())) throw UserErrorException(51, fmt::format("File {} not found", file.string()));
  LiveryList liveries;
  const pugi::xml_node list = document.child("liveries");
  if (!list) writeLog(fmt::format("{} does not contain a <liveries> section", file.string()));
  for (pugi::xml_node node : list.children("liv")) {
    LiveryData livery;
    livery.title = requiredAttribute(node, "title");
    livery.type = requiredAttribute(node, "type");
    livery.airline = requiredAttribute(node, "airl");
    livery.atcId = node.attribute("atcid").as_string();
    livery.cargo = xmlBool(node.attribute("cargo").as_string());
    liveries.push_back(std::move(livery));
  }
  if (liveries.empty()) {
    writeLog(fmt::format("{} does not contain liveries", file.string()));
  } else {
    writeLog(fmt::format("{} liveries read from {}", liveries.size(), file.string()));
  }
  return liveries;
}

}  // namespace tfx
