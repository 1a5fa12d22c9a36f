#pragma once
// Scenery BGL files made from airport records, for tests, benches and fuzz
// seeds: the layout the airport scan reads, with room for other sections.
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "scan/bgl_records.h"

namespace tfx::test {

using Bytes = std::vector<std::byte>;

Bytes bglNameSubrecord(std::string_view name);
Bytes bglHelipadSubrecord(const scan::BglHelipad& helipad);
Bytes bglParkingSubrecord(std::span<const scan::BglParking> parkings, bool v5);
// Name, helipads and parking subrecords in this order; the record id says v4 or v5.
Bytes bglAirportRecord(const scan::BglAirport& airport);

struct BglFileSpec {
  std::vector<scan::BglAirport> airports;
  // Bytes of a section of another kind after the airport data (object or
  // photo scenery the scan passes over).
  std::size_t otherSectionBytes = 0;
};

Bytes bglFile(const BglFileSpec& layout);
void writeBytes(const std::filesystem::path& path, std::span<const std::byte> bytes);
Bytes readBytes(const std::filesystem::path& path);

// An airport of `stands` parking entries around a position, all taken by the
// stand rules.
scan::BglAirport sampleAirport(std::string_view ident, int stands, bool v5, double lat = 40.0, double lon = 10.0);

}  // namespace tfx::test
