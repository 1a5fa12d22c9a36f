#pragma once
// A generated simulator world in a scratch folder, and an install folder
// beside it with the shipped data files, as the scan tests need them.
#include <nlohmann/json.hpp>

#include <filesystem>

#include "aircraft/read_dbase.h"
#include "test_support.h"
#include "world.h"

namespace tfx::test {

struct GeneratedWorld {
  explicit GeneratedWorld(uint32_t seed, size_t cfgFiles = 60, size_t liveries = 180, double trapRate = 0.25) {
    simworld::WorldOptions options;
    options.out = root / "world";
    options.cfgFiles = cfgFiles;
    options.liveries = liveries;
    options.seed = seed;
    options.trapRate = trapRate;
    options.sources = {sourceDir() / "data" / "dbase.xml", sourceDir() / "data" / "AIG-regcodes.xml",
                       sharedDataFolder() / "airlines" / "openflights-airlines.dat",
                       sharedDataFolder() / "aircraft-types" / "faa-acd-2023-09-07.csv"};
    simworld::generateWorld(options);
    manifest = nlohmann::json::parse(readFile(options.out / "manifest.json"));
    std::filesystem::create_directories(install() / "input");
    for (const char* name : {"dbase.enc", "AIG-regcodes.enc"}) {
      std::filesystem::copy_file(binaryDir() / "input" / name, install() / "input" / name);
    }
    gf_readDbase(install() / "input" / "dbase.enc", root / "dbase.xml");
  }

  std::filesystem::path install() const { return root / "install"; }
  std::filesystem::path world() const { return root / "world"; }

  TempDir root;
  nlohmann::json manifest;
};

}  // namespace tfx::test
