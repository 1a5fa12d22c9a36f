#include "scan/bgl_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "bgl_writer.h"
#include "scan/bgl_values.h"
#include "test_support.h"

namespace tfx::scan {
namespace {

using test::Bytes;

std::filesystem::path sharedBgl(std::string_view name) { return test::sharedDataFolder() / "bgl" / name; }

BglContent readFileBgl(const std::filesystem::path& path) {
  FileBglBytes bytes(path);
  return readBgl(bytes);
}

BglContent readMemory(const Bytes& file) {
  MemoryBglBytes bytes(file);
  return readBgl(bytes);
}

bool contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

template <typename T>
void poke(Bytes& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof(T));
}

std::string damageOf(const Bytes& file) {
  try {
    readMemory(file);
  } catch (const BglDamage& damage) {
    return damage.what();
  }
  return {};
}

TEST(BglSharedFiles, BothCompilationsOfLeabGiveTheSameSeventyOneEntries) {
  const BglContent v4 = readFileBgl(sharedBgl("LEAB_ADEP4_ARV187.bgl"));
  const BglContent v5 = readFileBgl(sharedBgl("LEAB_ADEP5_ARV187.bgl"));
  ASSERT_EQ(v4.airports.size(), 1U);
  ASSERT_EQ(v5.airports.size(), 1U);
  const BglAirport& old = v4.airports.front();
  const BglAirport& fresh = v5.airports.front();
  EXPECT_EQ(old.recordId, kAirportRecord);
  EXPECT_EQ(fresh.recordId, kAirportRecordV5);
  EXPECT_EQ(old.ident, "LEAB");
  EXPECT_EQ(fresh.ident, "LEAB");
  EXPECT_EQ(old.name, "Albacete");
  EXPECT_EQ(fresh.name, "Los Llanos");
  ASSERT_EQ(old.parkings.size(), 71U);
  ASSERT_EQ(fresh.parkings.size(), 71U);
  for (size_t entry = 0; entry < 71; ++entry) {
    EXPECT_EQ(old.parkings[entry].flags, fresh.parkings[entry].flags) << entry;
    EXPECT_EQ(old.parkings[entry].packedLat, fresh.parkings[entry].packedLat) << entry;
    EXPECT_EQ(old.parkings[entry].packedLon, fresh.parkings[entry].packedLon) << entry;
    EXPECT_EQ(old.parkings[entry].airlines, fresh.parkings[entry].airlines) << entry;
    EXPECT_FALSE(old.parkings[entry].altitudeMm);
    EXPECT_EQ(fresh.parkings[entry].altitudeMm, 701344);
  }
  EXPECT_EQ(fresh.parkings.back().airlines, (std::vector<std::string>{"AGA", "CL2T", "AL43"}));
  EXPECT_EQ(fresh.helipads.size(), 1U);
}

TEST(BglSharedFiles, AltHasNoStandsCvxNoAirportFs9IsNoSceneryBgl) {
  const BglContent alt = readFileBgl(sharedBgl("LEAB_ADEP5_ARV187_ALT.bgl"));
  ASSERT_EQ(alt.airports.size(), 1U);
  EXPECT_TRUE(alt.airports.front().parkings.empty());
  const BglContent cvx = readFileBgl(sharedBgl("LEAB_ADEP4_ARV187_CVX.bgl"));
  EXPECT_TRUE(cvx.scenery);
  EXPECT_TRUE(cvx.airports.empty());
  const BglContent fs9 = readFileBgl(sharedBgl("parking_01_fs9_object.bgl"));
  EXPECT_FALSE(fs9.scenery);
}

TEST(BglWriter, WritesTheSharedParkingAndHelipadRecordsBackByteForByte) {
  for (const char* name : {"LEAB_ADEP4_ARV187.bgl", "LEAB_ADEP5_ARV187.bgl"}) {
    const Bytes file = test::readBytes(sharedBgl(name));
    const BglAirport airport = readMemory(file).airports.front();
    EXPECT_TRUE(contains(file, test::bglParkingSubrecord(airport.parkings, airport.recordId == kAirportRecordV5))) << name;
    EXPECT_TRUE(contains(file, test::bglHelipadSubrecord(airport.helipads.front()))) << name;
  }
}

TEST(BglWriter, MadeFilesReadBackAsWritten) {
  test::BglFileSpec layout;
  layout.airports = {test::sampleAirport("EHAM", 30, true), test::sampleAirport("EGLL", 5, false)};
  layout.otherSectionBytes = 4096;
  const BglContent content = readMemory(test::bglFile(layout));
  ASSERT_EQ(content.airports.size(), 2U);
  EXPECT_EQ(content.airports[0].ident, "EHAM");
  EXPECT_EQ(content.airports[0].parkings.size(), 30U);
  EXPECT_EQ(content.airports[0].parkings[3].airlines, (std::vector<std::string>{"KLM", "DLH"}));
  EXPECT_EQ(content.airports[1].ident, "EGLL");
  EXPECT_EQ(content.airports[1].name, "EGLL International");
}

TEST(BglReader, ShortFilesAndOtherHeadersAreNoSceneryBgl) {
  Bytes file = test::bglFile({{test::sampleAirport("EHAM", 1, false)}, 0});
  EXPECT_FALSE(readMemory(Bytes(file.begin(), file.begin() + 59)).scenery);
  poke<std::uint32_t>(file, 4, 0x3C);
  EXPECT_FALSE(readMemory(file).scenery);
}

TEST(BglReader, AnInvalidIdentIsReadButMarked) {
  BglAirport airport = test::sampleAirport("EHAM", 2, false);
  airport.packedIdent = packIdent("EHA");
  const BglContent content = readMemory(test::bglFile({{airport}, 0}));
  ASSERT_EQ(content.airports.size(), 1U);
  EXPECT_FALSE(content.airports.front().identValid);
  EXPECT_EQ(content.airports.front().ident, "EHA");
}

TEST(BglReader, TheRecordWalkEndsAtATinySizeOrAForeignRecordPastTheEnd) {
  Bytes file = test::bglFile({{test::sampleAirport("EHAM", 2, false)}, 0});
  // A trailing record that claims gigabytes.
  const Bytes tail{std::byte{0x99}, std::byte{0}, std::byte{0}, std::byte{0}, std::byte{0}, std::byte{0x40}};
  file.insert(file.end(), tail.begin(), tail.end());
  EXPECT_EQ(readMemory(file).airports.size(), 1U);
  poke<std::uint32_t>(file, file.size() - 4, 3);
  EXPECT_EQ(readMemory(file).airports.size(), 1U);
}

class BglDamageTest : public ::testing::Test {
 protected:
  BglAirport airport = test::sampleAirport("EHAM", 3, true);
  // Section table at 0x38, subsection entry at 0x4C, airport record at 0x5C.
  static constexpr std::size_t kRecord = 0x5C;
  static constexpr std::size_t kFirstSubrecord = kRecord + 0x3C;
};

TEST_F(BglDamageTest, OffsetsOutsideTheFileAreDamage) {
  const Bytes good = test::bglFile({{airport}, 0});
  ASSERT_EQ(readMemory(good).airports.size(), 1U);
  Bytes file = good;
  poke<std::uint32_t>(file, 0x14, 0x10000000);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("section table"));
  file = good;
  poke<std::uint32_t>(file, 0x38 + 12, 0xFFFFFFF8U);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("subsection entry"));
  file = good;
  poke<std::uint32_t>(file, 0x4C + 8, static_cast<std::uint32_t>(file.size()));
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("airport data"));
  file = good;
  poke<std::uint32_t>(file, kRecord + 2, 0xFFFFFFF0U);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("airport record at 92 past the end"));
}

TEST_F(BglDamageTest, SubrecordsOutsideTheirAirportAreDamage) {
  const Bytes good = test::bglFile({{airport}, 0});
  Bytes file = good;
  poke<std::uint32_t>(file, kFirstSubrecord + 2, 3);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("of 3 bytes"));
  file = good;
  poke<std::uint32_t>(file, kFirstSubrecord + 2, 100000);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("past its airport record"));
}

TEST_F(BglDamageTest, ParkingEntriesPastTheirSubrecordAreDamage) {
  const std::size_t parking = kFirstSubrecord + test::bglNameSubrecord(airport.name).size();
  const Bytes good = test::bglFile({{airport}, 0});
  Bytes file = good;
  poke<std::uint16_t>(file, parking + 6, 4);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("parking entry 4 of 4"));
  file = good;
  // The last entry has no airline codes; make it claim 200.
  const std::size_t lastEntry = file.size() - 40;
  poke<std::uint8_t>(file, lastEntry + 3, 200);
  EXPECT_THAT(damageOf(file), ::testing::HasSubstr("airline codes of parking entry 3"));
}

}  // namespace
}  // namespace tfx::scan
