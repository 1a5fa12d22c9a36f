#pragma once
// The program's fixed knowledge about aircraft types, airlines, registrations
// and add-on sceneries, read once from dbase.xml and only read afterwards.
#include <pugixml.hpp>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "aircraft/aircraft_category.h"

namespace tfx {

struct RegcodeRecord {
  std::string airline;       // operator's ICAO code as the liveries use it
  std::string type;          // ICAO type designator
  std::string operatorName;  // the "opr" attribute
  bool cargo = false;
};

struct ThirdPartyAirports {
  std::string publisher;
  std::vector<std::string> airports;
};

using CodeSet = std::set<std::string, std::less<>>;
using NameGroups = std::vector<std::vector<std::string>>;

class AircraftDatabase {
 public:
  // Reads every section of a parsed dbase.xml, logging bad single records as
  // warnings. Throws UserErrorException 61 when a required list is empty.
  void load(const pugi::xml_document& document);

  bool validAcType(std::string_view type) const;
  bool validAirline(std::string_view code) const;
  AircraftCategory acCategory(std::string_view type) const;
  // Half the wingspan in nautical miles; a type without its own value takes
  // the average of its category.
  double halfWingspan(std::string_view type) const;
  double largestHalfWingspan() const { return largestHalfWingspan_; }
  double averageHalfWingspan(AircraftCategory category) const;
  std::optional<RegcodeRecord> findRegcode(std::string_view registration) const;
  std::string publisherFromFilename(std::string_view fileName) const;

  const CodeSet& aircraftTypes() const { return aircraftTypes_; }
  const CodeSet& airlines() const { return airlines_; }
  const CodeSet& cargoTypes() const { return cargoTypes_; }
  const CodeSet& cargoOperators() const { return cargoOperators_; }
  const NameGroups& similarTypes() const { return similarTypes_; }
  const NameGroups& publishers() const { return publishers_; }
  const CodeSet& simAddonAirports() const { return simAddonAirports_; }
  const std::vector<ThirdPartyAirports>& thirdPartyAirports() const { return thirdPartyAirports_; }
  // Wrong type code to correct type code, for the livery scan.
  const std::unordered_map<std::string, std::string>& fixes() const { return fixes_; }
  size_t registrationCount() const { return registrations_.size(); }
  // Registrations shorter than 6 characters, in file order: the ones a
  // livery title may carry without an atc_id.
  const std::vector<std::string>& shortRegistrations() const { return shortRegistrations_; }

 private:
  void readWingspans(const pugi::xml_document& document);
  void computeCategoryAverages();
  void readFixes(const pugi::xml_document& document);
  void readRegistrations(const pugi::xml_document& document);

  CodeSet aircraftTypes_;
  CodeSet highPerformance_;
  CodeSet heavy_;
  CodeSet large_;
  CodeSet buzjets_;
  CodeSet rotorcraft_;
  CodeSet cargoTypes_;
  NameGroups similarTypes_;
  CodeSet airlines_;
  CodeSet cargoOperators_;
  NameGroups publishers_;
  std::map<std::string, double, std::less<>> halfWingspans_;
  double largestHalfWingspan_ = 0.0;
  std::array<double, kAircraftCategoryCount> categoryAverages_{};
  std::unordered_map<std::string, std::string> fixes_;
  CodeSet simAddonAirports_;
  std::vector<ThirdPartyAirports> thirdPartyAirports_;
  std::unordered_map<std::string, RegcodeRecord> registrations_;
  std::vector<std::string> shortRegistrations_;
};

// The process-wide database that gf_readDbase fills.
AircraftDatabase& aircraftDatabase();

}  // namespace tfx
