#include "core/parameters_file.h"

#include <fmt/format.h>
#include <pugixml.hpp>

#include <mutex>

#include "core/banner.h"
#include "core/folders.h"
#include "core/log.h"
#include "core/parameters.h"
#include "core/version.h"
#include "core/xml_files.h"

namespace tfx {
namespace {

constexpr const char* kRoot = "parameters";
constexpr const char* kElement = "parameter";

// The window thread and the main program thread both save settings; each save
// rewrites the whole file, so they take turns.
std::mutex& fileLock() {
  static std::mutex lock;
  return lock;
}

pugi::xml_node findParameter(const pugi::xml_document& document, const std::string& name) {
  try {
    pugi::xpath_variable_set variables;
    variables.set("name", name.c_str());
    return document.select_node("/parameters/parameter[@name=$name]", &variables).node();
  } catch (const pugi::xpath_exception&) {
    return {};
  }
}

bool appendParameter(pugi::xml_node root, const std::string& name, const std::string& value) {
  pugi::xml_node element = root.append_child(kElement);
  return element && element.append_attribute("name").set_value(name.c_str()) &&
         element.append_attribute("value").set_value(value.c_str());
}

bool isFolderKey(const std::string& name) { return name.starts_with("lfolder") || name.starts_with("afolder"); }

void writeDefaults(pugi::xml_document& document) {
  PROGRAM_VERSION.set(runningVersion().text());
  pugi::xml_node root = document.append_child(kRoot);
  auto add = [&](const Parameter& parameter) {
    const std::string value = &parameter == &PROGRAM_VERSION ? PROGRAM_VERSION.value() : parameter.defaultText();
    if (!appendParameter(root, parameter.name(), value)) {
      writeLog(fmt::format("{}Adding Init XML parameter '{}' with value '{}' failed!", kErrorPrefix, parameter.name(),
                           value));
    }
  };
  const ParameterLists& lists = parameterLists();
  for (const auto* parameter : lists.plainBools) add(*parameter);
  for (const auto* parameter : lists.checkBoxes) add(*parameter);
  for (const auto* parameter : lists.plainInts) add(*parameter);
  for (const auto* parameter : lists.windowInts) add(*parameter);
  for (const auto* parameter : lists.texts) {
    if (!isFolderKey(parameter->name())) add(*parameter);
  }
  for (const auto* parameter : lists.closingTexts) add(*parameter);
}

// Takes one setting from the loaded file, or adds its default when missing.
void readOne(pugi::xml_document& document, Parameter& parameter) {
  pugi::xml_node element = findParameter(document, parameter.name());
  if (element) {
    parameter.setFromText(element.attribute("value").as_string());
  } else if (!isFolderKey(parameter.name())) {
    appendParameter(document.child(kRoot), parameter.name(), parameter.defaultText());
  }
  writeLogQuiet(fmt::format("{}={}", parameter.name(), parameter.valueText()));
  parameter.showInControl();
}

// An empty folder key leaves the file, now and on disk.
void dropEmptyFolderKey(pugi::xml_document& document, const StringParameter& folder) {
  pugi::xml_node element = findParameter(document, folder.name());
  if (!element || !folder.empty()) return;
  element.parent().remove_child(element);
  writeLog(fmt::format("Parameter '{}' removed", folder.name()));
}

void readAll(pugi::xml_document& document) {
  const ParameterLists& lists = parameterLists();
  if (!document.child(kRoot)) document.append_child(kRoot);
  for (auto* parameter : lists.plainBools) readOne(document, *parameter);
  for (auto* parameter : lists.checkBoxes) readOne(document, *parameter);
  for (auto* parameter : lists.plainInts) readOne(document, *parameter);
  for (auto* parameter : lists.windowInts) readOne(document, *parameter);
  for (auto* parameter : lists.texts) {
    readOne(document, *parameter);
    if (isFolderKey(parameter->name())) dropEmptyFolderKey(document, *parameter);
  }
  for (auto* parameter : lists.closingTexts) readOne(document, *parameter);
}

// A file that exists but cannot be parsed is kept beside the new one, so the
// user's settings can still be recovered by hand.
void keepUnreadableFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return;
  std::filesystem::path kept = file;
  kept += ".unreadable";
  std::filesystem::copy_file(file, kept, std::filesystem::copy_options::overwrite_existing, error);
  if (!error) writeLogError(fmt::format("{} could not be read, it is kept as {}", file.string(), kept.string()));
}

}  // namespace

void readParameters() { readParameters(parametersFile()); }

void readParameters(const std::filesystem::path& file) {
  writeLog(makeBanner(70, 0, true, false, "parameters"));
  {
    std::lock_guard guard(fileLock());
    pugi::xml_document document;
    if (!document.load_file(file.c_str())) {
      writeLog(fmt::format("{} not found, default values taken:", file.string()));
      keepUnreadableFile(file);
      pugi::xml_document defaults;
      writeDefaults(defaults);
      writeXmlAtomically(defaults, file);
    } else {
      writeLog(fmt::format("from '{}'", file.string()));
      readAll(document);
      if (!writeXmlAtomically(document, file)) writeLog(fmt::format("Saving '{}' failed", file.string()));
    }
  }
  updateTrafficRadius();
  writeLog(makeBanner(70, 10, false, true, ""));
}

void readStoredValues(const std::filesystem::path& file, std::span<Parameter* const> settings) {
  std::lock_guard guard(fileLock());
  pugi::xml_document document;
  if (!document.load_file(file.c_str())) return;
  for (Parameter* setting : settings) {
    if (pugi::xml_node element = findParameter(document, setting->name())) {
      setting->setFromText(element.attribute("value").as_string());
    }
  }
}

void saveParameter(const Parameter& parameter) {
  const std::filesystem::path file = parametersFile();
  std::lock_guard guard(fileLock());
  pugi::xml_document document;
  document.load_file(file.c_str());
  pugi::xml_node root = document.child(kRoot);
  if (!root) root = document.append_child(kRoot);
  const std::string value = parameter.valueText();
  if (pugi::xml_node element = findParameter(document, parameter.name())) {
    element.attribute("value") ? element.attribute("value").set_value(value.c_str())
                               : element.append_attribute("value").set_value(value.c_str());
  } else {
    appendParameter(root, parameter.name(), value);
  }
  if (!writeXmlAtomically(document, file)) writeLog(fmt::format("Saving '{}' failed", file.string()));
}

void removeParameter(const Parameter& parameter) {
  const std::filesystem::path file = parametersFile();
  std::lock_guard guard(fileLock());
  pugi::xml_document document;
  document.load_file(file.c_str());
  if (pugi::xml_node element = findParameter(document, parameter.name())) element.parent().remove_child(element);
  if (!writeXmlAtomically(document, file)) {
    writeLog(fmt::format("Saving '{}' failed", file.string()));
    return;
  }
  writeLog(fmt::format("Parameter '{}' removed", parameter.name()));
}

}  // namespace tfx
