#pragma once
// What the window shows of the park airport and its static parking, and the
// first park airport's place for the automatic radius; published by the main
// program thread with the traffic picture.
#include <optional>
#include <string>

namespace tfx::ui {

struct ParkAirportPlace {
  std::string code{};
  double lat = 0.0;
  double lon = 0.0;
};

struct ParkingStatus {
  bool active = false;  // a park airport's stands are loaded
  std::string airport{};
  std::string publisher{};
  std::string userStand{};  // the stand reserved for the user, when there is one
  int week = 0;           // the traffic week the stand file learned
  int minutesToRenewal = -1;
  int stands = 0;
  int updates = 0;  // stand updates learned since the last save
  int parkedLive = 0;
  int parkedStatic = 0;
  double averageFitHours = -1.0;
  int wanted = 0;
  int percentage = 0;
  bool maxParkLimited = false;  // "Max park:" below its highest choice
  std::string quality{};
  // The first of the user's park airports, nearest or the destination.
  std::optional<ParkAirportPlace> firstParkAirport{};
};

}  // namespace tfx::ui
