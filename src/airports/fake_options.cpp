#include "airports/fake_options.h"

#include <fmt/format.h>

#include <string>
#include <utility>
#include <vector>

#include "aircraft/aircraft_queries.h"
#include "airports/stand_geometry.h"
#include "core/random.h"

namespace tfx::airports {
namespace {

using Candidate = std::pair<std::string_view, std::string_view>;  // airline, type

const std::vector<Candidate> kHelipad{{"PVT", "EC35"}};
const std::vector<Candidate> kCargo{{"FDX", "C208"}, {"FDX", "B752"}, {"FDX", "B763"}, {"UPS", "A306"}, {"DHK", "B763"}};
const std::vector<Candidate> kRamp{{"PVT", "C172"}, {"PVT", "C206"}, {"PVT", "P28A"}, {"PVT", "PC12"}, {"PVT", "C550"},
                                   {"PVT", "TBM9"}, {"PVT", "LJ25"}, {"PVT", "GLF6"}, {"PVT", "FA6X"}, {"PVT", "FA8X"},
                                   {"PVT", "GLF4"}, {"PVT", "GLF5"}, {"PVT", "LJ60"}, {"PVT", "DHC7"}, {"PVT", "DH8A"},
                                   {"PVT", "DH8C"}, {"PVT", "E550"}, {"PVT", "CL30"}, {"PVT", "GA6C"}};
const std::vector<Candidate> kCanada{{"ACA", "B789"}, {"ACA", "B38M"}, {"ROU", "A321"}, {"JZA", "CRJ9"}};
const std::vector<Candidate> kEurope{{"KLM", "B77W"}, {"SAS", "A320"}, {"EZY", "A320"}, {"RYR", "B738"},
                                     {"DLH", "A320"}, {"KLM", "B738"}, {"BAW", "A21N"}};
const std::vector<Candidate> kUnitedStates{{"UAL", "B77W"}, {"DAL", "B739"}, {"JBU", "BCS3"}, {"FFT", "A320"},
                                           {"UAL", "B78X"}, {"UAL", "B738"}, {"AAL", "B738"}, {"SKW", "E75L"},
                                           {"SWA", "B737"}, {"FFT", "A320"}};
const std::vector<Candidate> kJapan{{"ANA", "A20N"}, {"JAL", "A35K"}, {"JAL", "B738"}};
const std::vector<Candidate> kChina{{"CSA", "A320"}, {"CES", "A333"}, {"CES", "A321"}};
constexpr Candidate kAnywhere{"ZZZ", "B738"};

const std::vector<Candidate>* regionalList(char firstLetter) {
  switch (firstLetter) {
    case 'C': return &kCanada;
    case 'E': return &kEurope;
    case 'K': return &kUnitedStates;
    case 'R': return &kJapan;
    case 'Z': return &kChina;
    default: return nullptr;
  }
}

std::vector<Candidate> candidatesFor(const Stand& stand, char firstLetter) {
  const std::vector<Candidate>* list = stand.heli    ? &kHelipad
                                       : stand.cargo ? &kCargo
                                       : stand.ramp  ? &kRamp
                                                     : regionalList(firstLetter);
  // Elsewhere in the world one placeholder pair is taken as it is.
  if (list == nullptr) return {kAnywhere};
  std::vector<Candidate> fitting;
  for (const Candidate& candidate : *list) {
    if (gf_fitsStand(stand, gf_halfWingspan(candidate.second))) fitting.push_back(candidate);
  }
  return fitting;
}

}  // namespace

void gf_addFakeOptions(std::span<Stand> stands, std::string_view airportCode, int day, int halfHour) {
  const char firstLetter = airportCode.empty() ? '\0' : airportCode.front();
  int number = 1;
  for (Stand& stand : stands) {
    const std::vector<Candidate> candidates = candidatesFor(stand, firstLetter);
    if (candidates.empty()) continue;
    const Candidate& chosen = candidates[static_cast<size_t>(randomIndex(static_cast<int>(candidates.size())))];
    StandOption option{.airline = std::string(chosen.first),
                       .type = std::string(chosen.second),
                       .registration = fmt::format("REGFAKE{}", number),
                       .callsign = fmt::format("FAKE{}", number),
                       .index = stand.nextOptionIndex(),
                       .day = day,
                       .origin = 1,
                       .real = 0};
    if (halfHour >= 0 && halfHour < 48) option.halfHours.set(static_cast<size_t>(halfHour));
    stand.options.push_back(std::move(option));
    ++number;
  }
}

}  // namespace tfx::airports
