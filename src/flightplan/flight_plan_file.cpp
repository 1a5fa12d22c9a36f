#include "flightplan/flight_plan_file.h"

#include <fmt/format.h>

#include <cstdio>
#include <memory>

#include "core/folders.h"
#include "core/log.h"

namespace tfx::flightplan {
namespace {

namespace fs = std::filesystem;

std::string escaped(std::string_view text) {
  std::string out;
  for (const char character : text) {
    switch (character) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += character;
    }
  }
  return out;
}

bool folderExists(const fs::path& folder) {
  std::error_code error;
  const bool exists = fs::exists(folder, error);
  if (error) throw fs::filesystem_error("exists", folder, error);
  return exists;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string_view flightRules(int category) { return category >= 1 && category <= 3 ? "IFR" : "VFR"; }

std::string flightPlanText(int category, std::string_view origin, std::string_view destination) {
  return fmt::format("{}\n{}\n{}\n{}{}{}\n{}{}{}\n{}{}{}\n{}\n{}", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                     "<SimBase.Document Type=\"AceXML\" version=\"4,3\">\"", "<FlightPlan.FlightPlan>", "<FPType>",
                     flightRules(category), "</FPType>", "<DepartureID>", escaped(origin), "</DepartureID>",
                     "<DestinationID>", escaped(destination), "</DestinationID>", "</FlightPlan.FlightPlan>",
                     "</SimBase.Document>");
}

bool gf_makeFlightPlanFolder() {
  const fs::path data = dataFolder();
  if (data.empty()) return false;
  std::error_code ignored;
  if (!folderExists(data)) fs::create_directories(data, ignored);
  const fs::path plans = origDestFolder();
  if (!folderExists(plans)) fs::create_directory(plans, ignored);
  return folderExists(plans);
}

fs::path gf_flightPlanPath(std::uint32_t hexid) { return origDestFolder() / fmt::format("{}.pln", hexid); }

// An existing plan is overwritten in place and what is left of a longer one
// cut off afterwards: a file truncated to nothing and written again is
// flushed to disk when it is closed (ext4 guards replaced files that way),
// which costs milliseconds per plan instead of microseconds.
bool gf_writeFlightPlan(const fs::path& path, int category, std::string_view origin, std::string_view destination) {
  const std::string text = flightPlanText(category, origin, destination);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r+b"));
  if (!file) file.reset(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0 ||
      std::fseek(file.get(), 0, SEEK_END) != 0) {
    return false;
  }
  const bool longer = std::ftell(file.get()) > static_cast<long>(text.size());
  if (std::fclose(file.release()) != 0) return false;
  std::error_code error;
  if (longer) fs::resize_file(path, text.size(), error);
  return !error;
}

// Removing the files first is what a not-empty folder needs; a folder that
// is already gone needs nothing.
void gf_removeFlightPlanFolder() {
  const fs::path plans = origDestFolder();
  std::error_code error;
  if (plans.empty() || !fs::exists(plans, error)) return;
  fs::remove_all(plans, error);
  if (error) writeLog(fmt::format("gf_removeFlightPlanFolder: {}", error.message()));
}

}  // namespace tfx::flightplan
