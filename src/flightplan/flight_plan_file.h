#pragma once
// The AI flight plan files that give a live aircraft its origin and
// destination in the simulator's own displays: one small AceXML file per
// aircraft in the per-user orig_dest folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tfx::flightplan {

// "IFR" for aircraft categories 1 to 3, "VFR" for all others.
std::string_view flightRules(int category);

// The file's text: eight lines, the last without a line end.
std::string flightPlanText(int category, std::string_view origin, std::string_view destination);

// Creates the per-user data folder and orig_dest in it; true when orig_dest
// exists afterwards. Throws the file-system error "exists" when a folder
// cannot be looked at.
bool gf_makeFlightPlanFolder();

// orig_dest/<hexid>.pln.
std::filesystem::path gf_flightPlanPath(std::uint32_t hexid);

// Writes (over an older file of the same name); false when the file could not
// be opened or written.
bool gf_writeFlightPlan(const std::filesystem::path& path, int category, std::string_view origin,
                        std::string_view destination);

// Removes orig_dest with its files; errors are logged as
// "gf_removeFlightPlanFolder: {}" and otherwise ignored.
void gf_removeFlightPlanFolder();

}  // namespace tfx::flightplan
