#pragma once
// A small aircraft database for the fuzz targets: some valid types of each
// category, airlines, a fix and registrations.
#include <pugixml.hpp>

#include "aircraft/aircraft_database.h"

namespace tfx::fuzz {

inline const AircraftDatabase& fuzzDatabase() {
  static const AircraftDatabase database = [] {
    pugi::xml_document document;
    document.load_string(
        "<aircrafts><aircraft types=\"B738,A320,B744,C172,EC35,C56X,F16\"/></aircrafts>"
        "<high_performance><hpf types=\"F16\"/></high_performance><heavy><hvy types=\"B744\"/></heavy>"
        "<large><lar types=\"B738,A320\"/></large><buzjet><bzj types=\"C56X\"/></buzjet>"
        "<rotorcraft><rot types=\"EC35\"/></rotorcraft><cargo_types><cargo_type types=\"B744\"/></cargo_types>"
        "<similar_types><similar types=\"B738,A320\"/></similar_types>"
        "<ICAO_airlines><ICAO codes=\"KLM,SWR,ZZZ\"/></ICAO_airlines>"
        "<cargo_operators><ICAO codes=\"KLM\"/></cargo_operators>"
        "<fixes><fx wro=\"B747\" cor=\"B744\"/></fixes><simaddonsP3D><simaddonP3D arpts=\"LOWI\"/></simaddonsP3D>"
        "<dbase><db reg=\"PH-BXA\" airl=\"KLM\" type=\"B738\" opr=\"KLM\"/>"
        "<db reg=\"N12AB\" airl=\"SWR\" type=\"B744\" cargo=\"1\"/></dbase>");
    AircraftDatabase loaded;
    loaded.load(document);
    return loaded;
  }();
  return database;
}

}  // namespace tfx::fuzz
