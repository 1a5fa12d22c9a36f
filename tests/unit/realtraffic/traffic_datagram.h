#pragma once
// A valid airborne traffic datagram near Zurich whose fields a test changes one by one.
#include <array>
#include <string>
#include <string_view>

namespace tfx::test {

class TrafficDatagram {
 public:
  TrafficDatagram& set(size_t field, std::string_view value) {
    fields_.at(field) = value;
    return *this;
  }
  std::string text() const {
    std::string result;
    for (const std::string& field : fields_) {
      if (!result.empty()) result += ',';
      result += field;
    }
    return result;
  }

 private:
  std::array<std::string, 29> fields_{
      "RTTFC", "4921364", "47.5",  "8.6",          "12000",     "-640",  "0", "271.5", "250",  "SWR123",
      "A320",  "HB-JLT",  "LSZH",  "EGLL",         "1700000000.5", "X",   "LX123", "adsb_icao", "12100", "240",
      "262",   "0.42",    "0",     "-2.5",         "268",       "270.0", "-640",  "none",  "A3"};
};

}  // namespace tfx::test
