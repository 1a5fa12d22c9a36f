#pragma once
// The packed values of BGL airport records: idents, coordinates, elevations
// and names.
#include <cstdint>
#include <span>
#include <string>

namespace tfx::scan {

struct DecodedIdent {
  std::string text;
  bool valid = false;  // exactly four characters, none blank
};

DecodedIdent lf_decodeIdentifierOrRegionCode(std::uint32_t packed);
// The packing of an ident of digits and capitals, for files made by tests and tools.
std::uint32_t packIdent(std::string_view ident);

double unpackLongitude(std::uint32_t packed);
double unpackLatitude(std::uint32_t packed);
std::uint32_t packLongitude(double longitude);
std::uint32_t packLatitude(double latitude);

// Feet above sea level; elevations outside -20..10000 ft count as unknown (0).
int altitudeFeet(std::int32_t elevationMm);

inline constexpr std::size_t kNameBytes = 45;

// A name field: up to its first NUL and at most kNameBytes bytes, without
// cutting a character in two. Valid UTF-8 stays; other bytes are Latin-1.
std::string airportNameText(std::span<const std::byte> field);

}  // namespace tfx::scan
