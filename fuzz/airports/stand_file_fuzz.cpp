// Stand files and learned files from users and downloads: the input is read
// as a park airport's stand file and as the learned file of a fixed stand
// file. Whatever reads, written in mode "all" (stand file) and "changes"
// (learned file), must read back to the same stands; the log stays short
// whatever the input holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "airports/airport.h"
#include "airports/read_apf.h"
#include "airports/stand_file_format.h"
#include "airports/stand_file_write.h"
#include "core/log.h"
#include "fuzz_install_folder.h"
#include "runstate/user_error.h"

namespace {

using namespace tfx;
using namespace tfx::airports;
using fuzz::require;
using fuzz::writeBytes;
namespace fs = std::filesystem;

const std::string kFuzzStandFile = "airports/my_thirdparty/FUZZ.xml";
const std::string kFixedStandFile = "airports/my_thirdparty/FIXD.xml";
const fs::path kFixedLearnedFile = "airports/learned/thirdparty/Fuzz/FIXD.xml";
// Nothing answers here: a stand file never leaves the machine.
constexpr std::string_view kNoSite = "http://127.0.0.1:9/";
const auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1738718970));

// Every logged line stands for a piece of the input; none repeats the whole of a huge one.
constexpr size_t kFixedLogLines = 100;
constexpr size_t kInputBytesPerLogLine = 8;
constexpr size_t kLogLineOverhead = 512;

constexpr std::string_view kFixedFile = R"(<meta><info name="author" value="a"/><info name="date" value="d"/>
<info name="version" value="1"/></meta>
<parameters><parameter name="airport_name" value="Fixed"/><parameter name="publisher" value="Fuzz"/>
<parameter name="altitude" value="100"/></parameters>
<parkpositions>
<parkpos id="A1" latitude="47.45" longitude="8.55" heading="90" radius="20"><opt cs="SWR1:LX2" airl="SWR" type="A320" day="3" hh="2,3"/></parkpos>
<parkpos id="A2" latitude="47.4502" longitude="8.5502" heading="-10" radius="25" cargo="true"/>
<parkpos id="H" latitude="47.46" longitude="8.56" radius="8" heli="true"/>
</parkpositions>)";

void prepareFolder(const fs::path& folder) {
  fs::create_directories(folder / "airports" / "my_thirdparty");
  fuzz::writeBytes(folder / kFixedStandFile, kFixedFile);
}

std::string writtenText(const ParkStands& park, StandFileMode mode) {
  return standFileText({.stands = park.parkStands, .info = park.info, .handmade = park.handmade}, mode);
}

// The stands' part of the text: the meta block holds the date.
std::string writtenPositions(const ParkStands& park, StandFileMode mode) {
  const std::string text = writtenText(park, mode);
  return text.substr(text.find("<parkpositions"));
}

// What a learned file keeps: the stand file's own occupancies are not learned.
void dropStandFileOptions(ParkStands& park) {
  for (Stand& stand : park.parkStands) std::erase_if(stand.options, [](const StandOption& o) { return o.origin == 1; });
}

// Reads a stand file as the park airport's; false when it cannot be used.
bool readPark(const std::string& file, ParkStands& park) {
  try {
    return gf_readApf(file, park, kNow, kNoSite).empty();
  } catch (const UserErrorException& error) {
    require(error.code() == 65 || error.code() == 94);
    return false;
  }
}

void asStandFile(const uint8_t* data, size_t size) {
  fs::remove_all("airports/learned");
  writeBytes(kFuzzStandFile, {reinterpret_cast<const char*>(data), size});
  ParkStands park;
  if (!readPark(kFuzzStandFile, park)) return;
  const std::string written = writtenPositions(park, StandFileMode::All);
  pugi::xml_document document;
  require(document.load_string(written.c_str()));
  ParkStands again;
  again.info = park.info;
  again.parkStands = readStandList(document, 1);
  require(writtenPositions(again, StandFileMode::All) == written);
}

void asLearnedFile(const uint8_t* data, size_t size) {
  fs::remove_all("airports/learned");
  fs::create_directories(kFixedLearnedFile.parent_path());
  writeBytes(kFixedLearnedFile, {reinterpret_cast<const char*>(data), size});
  ParkStands park;
  if (!readPark(kFixedStandFile, park)) return;
  dropStandFileOptions(park);
  const StandFileMode mode = park.handmade ? StandFileMode::All : StandFileMode::Changes;
  writeBytes(kFixedLearnedFile, writtenText(park, mode));
  ParkStands again;
  require(readPark(kFixedStandFile, again) || again.parkStands.empty());
  dropStandFileOptions(again);
  require(again.handmade == park.handmade);
  require(writtenPositions(again, mode) == writtenPositions(park, mode));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::InstallFolder folder("stand_file_fuzz", prepareFolder);
  parkAirport() = {.code = "FUZZ", .iata = {}};
  LogCapture log;
  asStandFile(data, size);
  asLearnedFile(data, size);
  const std::vector<std::string> lines = log.lines();
  require(lines.size() <= kFixedLogLines + size / kInputBytesPerLogLine);
  for (const std::string& line : lines) require(line.size() <= size + kLogLineOverhead);
  return 0;
}
