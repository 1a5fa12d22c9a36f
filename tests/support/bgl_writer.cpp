#include "bgl_writer.h"

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "scan/bgl_values.h"

namespace tfx::test {
namespace {

constexpr std::uint32_t kMagic = 0x19920201;
constexpr std::uint32_t kHeaderSize = 0x38;
constexpr std::uint32_t kAirportSection = 3;
constexpr std::uint32_t kOtherSection = 0x65;

template <typename T>
void put(Bytes& bytes, T value) {
  const auto* raw = reinterpret_cast<const std::byte*>(&value);
  bytes.insert(bytes.end(), raw, raw + sizeof(T));
}

template <typename T>
void putAt(Bytes& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

void append(Bytes& bytes, const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }

void putCode(Bytes& bytes, std::string_view code, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) bytes.push_back(i < code.size() ? std::byte(code[i]) : std::byte{0});
}

// A record of the given id whose size is filled in once its body is complete.
Bytes recordStart(std::uint16_t id) {
  Bytes bytes;
  put(bytes, id);
  put<std::uint32_t>(bytes, 0);
  return bytes;
}

void finishRecord(Bytes& bytes) { putAt(bytes, 2, static_cast<std::uint32_t>(bytes.size())); }

}  // namespace

Bytes bglNameSubrecord(std::string_view name) {
  Bytes bytes = recordStart(scan::kNameSubrecord);
  putCode(bytes, name, (name.size() + 4) / 4 * 4);
  finishRecord(bytes);
  return bytes;
}

Bytes bglHelipadSubrecord(const scan::BglHelipad& helipad) {
  Bytes bytes = recordStart(scan::kHelipadSubrecord);
  for (const std::uint8_t value : helipad.surfaceAndFlags) bytes.push_back(std::byte(value));
  put(bytes, helipad.packedLon);
  put(bytes, helipad.packedLat);
  put(bytes, helipad.altitudeMm);
  put(bytes, helipad.length);
  put(bytes, helipad.size);
  put(bytes, helipad.heading);
  finishRecord(bytes);
  return bytes;
}

Bytes bglParkingSubrecord(std::span<const scan::BglParking> parkings, bool v5) {
  Bytes bytes = recordStart(v5 ? scan::kParkingSubrecordV5 : scan::kParkingSubrecord);
  put(bytes, static_cast<std::uint16_t>(parkings.size()));
  for (const scan::BglParking& parking : parkings) {
    const std::uint32_t codes = static_cast<std::uint32_t>(parking.airlines.size());
    put(bytes, (parking.flags & 0x00FFFFFFU) | (codes << 24));
    put(bytes, parking.radius);
    put(bytes, parking.heading);
    for (const float tee : parking.teeOffsets) put(bytes, tee);
    put(bytes, parking.packedLon);
    put(bytes, parking.packedLat);
    if (v5) put(bytes, parking.altitudeMm.value_or(0));
    for (const std::string& airline : parking.airlines) putCode(bytes, airline, 4);
  }
  finishRecord(bytes);
  return bytes;
}

Bytes bglAirportRecord(const scan::BglAirport& airport) {
  const bool v5 = airport.recordId == scan::kAirportRecordV5;
  Bytes bytes = recordStart(airport.recordId);
  bytes.resize(v5 ? 0x3C : 0x38);
  putAt(bytes, 12, airport.packedLon);
  putAt(bytes, 16, airport.packedLat);
  putAt(bytes, 20, airport.elevationMm);
  putAt(bytes, 40, airport.packedIdent);
  if (!airport.name.empty()) append(bytes, bglNameSubrecord(airport.name));
  for (const scan::BglHelipad& helipad : airport.helipads) append(bytes, bglHelipadSubrecord(helipad));
  if (!airport.parkings.empty()) append(bytes, bglParkingSubrecord(airport.parkings, v5));
  finishRecord(bytes);
  return bytes;
}

Bytes bglFile(const BglFileSpec& layout) {
  Bytes records;
  for (const scan::BglAirport& airport : layout.airports) append(records, bglAirportRecord(airport));
  const std::uint32_t sections = (layout.airports.empty() ? 0 : 1) + (layout.otherSectionBytes > 0 ? 1 : 0);
  const std::uint32_t subsectionEntries = kHeaderSize + 20 * sections;
  const std::uint32_t airportData = subsectionEntries + 16 * sections;
  const std::uint32_t otherData = airportData + static_cast<std::uint32_t>(records.size());
  Bytes bytes(kHeaderSize);
  putAt(bytes, 0, kMagic);
  putAt(bytes, 4, kHeaderSize);
  putAt(bytes, 0x14, sections);
  std::uint32_t entry = 0;
  auto section = [&](std::uint32_t type, std::uint32_t dataOffset, std::uint32_t dataSize) {
    put(bytes, type);
    put<std::uint32_t>(bytes, 1);
    put<std::uint32_t>(bytes, 1);
    put(bytes, subsectionEntries + 16 * entry++);
    put<std::uint32_t>(bytes, 16);
    return std::array<std::uint32_t, 4>{0, 1, dataOffset, dataSize};
  };
  std::vector<std::array<std::uint32_t, 4>> subsections;
  if (!layout.airports.empty()) subsections.push_back(section(kAirportSection, airportData, static_cast<std::uint32_t>(records.size())));
  if (layout.otherSectionBytes > 0) subsections.push_back(section(kOtherSection, otherData, static_cast<std::uint32_t>(layout.otherSectionBytes)));
  for (const auto& subsection : subsections) {
    for (const std::uint32_t value : subsection) put(bytes, value);
  }
  append(bytes, records);
  // Other data begins with a word that ends the record walk, as real files do.
  bytes.resize(bytes.size() + layout.otherSectionBytes, std::byte{0x5A});
  if (layout.otherSectionBytes >= 6) putAt<std::uint32_t>(bytes, otherData + 2, 0);
  return bytes;
}

void writeBytes(const std::filesystem::path& path, std::span<const std::byte> bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto* raw = reinterpret_cast<const std::byte*>(text.data());
  return Bytes(raw, raw + text.size());
}

scan::BglAirport sampleAirport(std::string_view ident, int stands, bool v5, double lat, double lon) {
  scan::BglAirport airport;
  airport.recordId = v5 ? scan::kAirportRecordV5 : scan::kAirportRecord;
  airport.packedIdent = scan::packIdent(ident);
  airport.ident = ident;
  airport.identValid = true;
  airport.name = std::string(ident) + " International";
  airport.packedLat = scan::packLatitude(lat);
  airport.packedLon = scan::packLongitude(lon);
  airport.elevationMm = 100000;
  for (int stand = 0; stand < stands; ++stand) {
    scan::BglParking parking;
    const std::uint32_t type = 1 + static_cast<std::uint32_t>(stand % 11);
    const std::uint32_t number = 1 + static_cast<std::uint32_t>(stand);
    parking.flags = 10U | (type << 8) | (number << 12);
    parking.radius = 15.0F + static_cast<float>(stand % 30);
    parking.heading = static_cast<float>((stand * 37) % 360);
    parking.packedLat = scan::packLatitude(lat + 0.0003 * (stand / 20));
    parking.packedLon = scan::packLongitude(lon + 0.0004 * (stand % 20));
    if (v5) parking.altitudeMm = airport.elevationMm;
    if (stand % 3 == 0) parking.airlines = {"KLM", "DLH"};
    airport.parkings.push_back(std::move(parking));
  }
  return airport;
}

}  // namespace tfx::test
