#include "scan/bgl_reader.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>

#include "scan/bgl_values.h"

namespace tfx::scan {
namespace {

constexpr std::uint64_t kHeaderSize = 0x38;
constexpr std::uint64_t kMinimumFileBytes = 15 * 4;
constexpr std::uint64_t kSectionCountOffset = 0x14;
constexpr std::uint64_t kSectionEntryBytes = 20;
constexpr std::uint64_t kSubsectionEntryBytes = 16;
constexpr std::uint32_t kAirportSection = 3;
constexpr std::uint64_t kRecordHeaderBytes = 6;
constexpr std::size_t kAirportFixedBytes = 44;  // up to and including the ident
constexpr std::size_t kHelipadBytes = 36;
constexpr std::size_t kParkingHeaderBytes = 8;
constexpr std::size_t kParkingEntryBytes = 36;
constexpr std::size_t kAirlineCodeBytes = 4;

template <typename T>
T load(std::span<const std::byte> bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

std::uint32_t u32At(BglBytes& bytes, std::uint64_t offset) { return load<std::uint32_t>(bytes.view(offset, 4), 0); }


BglHelipad readHelipad(std::span<const std::byte> subrecord) {
  if (subrecord.size() < kHelipadBytes) throw BglDamage(fmt::format("helipad of {} bytes", subrecord.size()));
  BglHelipad helipad;
  std::memcpy(helipad.surfaceAndFlags.data(), subrecord.data() + 6, helipad.surfaceAndFlags.size());
  helipad.packedLon = load<std::uint32_t>(subrecord, 12);
  helipad.packedLat = load<std::uint32_t>(subrecord, 16);
  helipad.altitudeMm = load<std::int32_t>(subrecord, 20);
  helipad.length = load<float>(subrecord, 24);
  helipad.size = load<float>(subrecord, 28);
  helipad.heading = load<float>(subrecord, 32);
  return helipad;
}

void readParkings(std::span<const std::byte> subrecord, bool v5, std::vector<BglParking>& parkings) {
  if (subrecord.size() < kParkingHeaderBytes) throw BglDamage("parking subrecord without a count");
  const std::size_t count = load<std::uint16_t>(subrecord, 6);
  const std::size_t entryBytes = kParkingEntryBytes + (v5 ? 4 : 0);
  std::size_t at = kParkingHeaderBytes;
  // Room for the entries the subrecord can hold, whatever its count says.
  parkings.reserve(std::min(count, (subrecord.size() - at) / entryBytes));
  for (std::size_t entry = 0; entry < count; ++entry) {
    if (subrecord.size() - at < entryBytes) throw BglDamage(fmt::format("parking entry {} of {} past its subrecord", entry + 1, count));
    BglParking& parking = parkings.emplace_back();
    parking.flags = load<std::uint32_t>(subrecord, at);
    parking.radius = load<float>(subrecord, at + 4);
    parking.heading = load<float>(subrecord, at + 8);
    for (std::size_t tee = 0; tee < parking.teeOffsets.size(); ++tee) {
      parking.teeOffsets[tee] = load<float>(subrecord, at + 12 + 4 * tee);
    }
    parking.packedLon = load<std::uint32_t>(subrecord, at + 28);
    parking.packedLat = load<std::uint32_t>(subrecord, at + 32);
    if (v5) parking.altitudeMm = load<std::int32_t>(subrecord, at + 36);
    at += entryBytes;
    const std::size_t codes = parking.flags >> 24;
    if ((subrecord.size() - at) / kAirlineCodeBytes < codes) {
      throw BglDamage(fmt::format("airline codes of parking entry {} past its subrecord", entry + 1));
    }
    parking.airlines.reserve(codes);
    for (std::size_t code = 0; code < codes; ++code) {
      const char* text = reinterpret_cast<const char*>(subrecord.data() + at);
      parking.airlines.emplace_back(text, strnlen(text, kAirlineCodeBytes));
      at += kAirlineCodeBytes;
    }
  }
}

BglAirport readAirport(std::span<const std::byte> record, std::uint16_t recordId) {
  const bool v5 = recordId == kAirportRecordV5;
  const std::size_t firstSubrecord = v5 ? 0x3C : 0x38;
  if (record.size() < firstSubrecord) throw BglDamage(fmt::format("airport record of {} bytes", record.size()));
  static_assert(kAirportFixedBytes <= 0x38);
  BglAirport airport;
  airport.recordId = recordId;
  airport.packedLon = load<std::uint32_t>(record, 12);
  airport.packedLat = load<std::uint32_t>(record, 16);
  airport.elevationMm = load<std::int32_t>(record, 20);
  airport.packedIdent = load<std::uint32_t>(record, 40);
  DecodedIdent ident = lf_decodeIdentifierOrRegionCode(airport.packedIdent);
  airport.ident = std::move(ident.text);
  airport.identValid = ident.valid;
  const std::uint16_t parkingId = v5 ? kParkingSubrecordV5 : kParkingSubrecord;
  bool named = false;
  for (std::size_t at = firstSubrecord; at < record.size();) {
    if (record.size() - at < kRecordHeaderBytes) throw BglDamage("subrecord header past its airport record");
    const std::uint16_t id = load<std::uint16_t>(record, at);
    const std::uint32_t size = load<std::uint32_t>(record, at + 2);
    if (size < kRecordHeaderBytes) throw BglDamage(fmt::format("subrecord {:#06x} of {} bytes", id, size));
    if (size > record.size() - at) throw BglDamage(fmt::format("subrecord {:#06x} past its airport record", id));
    const std::span<const std::byte> subrecord = record.subspan(at, size);
    if (id == kNameSubrecord && !named) {
      airport.name = airportNameText(subrecord.subspan(kRecordHeaderBytes));
      named = true;
    } else if (id == kHelipadSubrecord) {
      airport.helipads.push_back(readHelipad(subrecord));
    } else if (id == parkingId) {
      readParkings(subrecord, v5, airport.parkings);
      break;
    }
    at += size;
  }
  return airport;
}

// Records follow each other from the first one to the end of the file; a
// size below a header or a record running past the file ends the walk.
void walkRecords(BglBytes& bytes, std::uint64_t offset, std::vector<BglAirport>& airports) {
  const std::uint64_t fileSize = bytes.size();
  while (fileSize - offset >= kRecordHeaderBytes) {
    const std::span<const std::byte> header = bytes.view(offset, kRecordHeaderBytes);
    const std::uint16_t id = load<std::uint16_t>(header, 0);
    const std::uint32_t size = load<std::uint32_t>(header, 2);
    if (size < kRecordHeaderBytes) return;
    const bool airport = id == kAirportRecord || id == kAirportRecordV5;
    if (size > fileSize - offset) {
      if (airport) throw BglDamage(fmt::format("airport record at {} past the end of the file", offset));
      return;
    }
    if (airport) airports.push_back(readAirport(bytes.view(offset, size), id));
    offset += size;
  }
}

}  // namespace

BglContent readBgl(BglBytes& bytes) {
  BglContent content;
  const std::uint64_t fileSize = bytes.size();
  if (fileSize < kMinimumFileBytes || u32At(bytes, 4) != kHeaderSize) return content;
  content.scenery = true;
  const std::uint64_t sections = u32At(bytes, kSectionCountOffset);
  if (sections > (fileSize - kHeaderSize) / kSectionEntryBytes) {
    throw BglDamage(fmt::format("section table of {} entries outside the file", sections));
  }
  for (std::uint64_t section = 0; section < sections; ++section) {
    const std::span<const std::byte> entry = bytes.view(kHeaderSize + section * kSectionEntryBytes, kSectionEntryBytes);
    const std::uint32_t type = load<std::uint32_t>(entry, 0);
    const std::uint32_t sizeFlag = load<std::uint32_t>(entry, 4);
    const std::uint64_t subsections = load<std::uint32_t>(entry, 12);
    if (type != kAirportSection || ((sizeFlag & 0x10000U) | 0x40000U) != 0x40000U) continue;
    if (subsections > fileSize || fileSize - subsections < kSubsectionEntryBytes) {
      throw BglDamage(fmt::format("subsection entry at {} outside the file", subsections));
    }
    const std::uint64_t records = u32At(bytes, subsections + 8);
    if (records >= fileSize) throw BglDamage(fmt::format("airport data at {} outside the file", records));
    walkRecords(bytes, records, content.airports);
  }
  return content;
}

}  // namespace tfx::scan
