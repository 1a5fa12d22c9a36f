#include "scan/bgl_file_scan.h"

#include <fmt/format.h>

#include "aircraft/aircraft_queries.h"
#include "airports/stand_file_write.h"
#include "platform/file_compare.h"
#include "scan/bgl_reader.h"
#include "scan/bgl_stands.h"
#include "scan/bgl_values.h"
#include "scan/generated_file.h"

namespace tfx::scan {

namespace {

// What a worker decodes and writes one airport after another into. Memory
// given back between files costs a page fault for every page of it when it
// is touched again, as much as decoding the stands.
struct WorkerScratch {
  AirportStands stands;
  std::string text;
};

}  // namespace

BglFileResult lf_processBGLfile(const std::filesystem::path& bgl, ScanLog& log) {
  thread_local WorkerScratch scratch;
  BglFileResult result;
  const std::string path = bgl.string();
  try {
    FileBglBytes bytes(bgl);
    BglContent content = readBgl(bytes);
    result.scenery = content.scenery;
    for (BglAirport& airport : content.airports) {
      if (!airport.identValid) continue;
      airportStands(airport, path, log, scratch.stands);
      std::string kind = gf_publisherFromFilename(path);
      const airports::AirportFileInfo info{std::move(airport.name), kind, altitudeFeet(airport.elevationMm)};
      airports::standFileText({.stands = scratch.stands.stands, .info = info, .bglPath = path},
                              airports::StandFileMode::All, scratch.text);
      const bool unchanged = platform::fileHolds(generatedFile(kind, airport.ident), scratch.text);
      result.airports.push_back({std::move(airport.ident), std::move(kind),
                                 static_cast<int>(scratch.stands.stands.size()), scratch.stands.helipadCount, path,
                                 unchanged, unchanged ? std::string() : scratch.text});
    }
  } catch (const std::exception& error) {
    result.damage = error.what();
    result.airports.clear();
    log.error(fmt::format("Exception in lf_processBGLfile: {}: {}", path, error.what()));
  }
  return result;
}

}  // namespace tfx::scan
