// Reading the shipped aircraft database at start, and the look-ups the
// traffic cycle makes for every new aircraft.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "aircraft/aircraft_queries.h"
#include "aircraft/read_dbase.h"
#include "data/stream_decrypt.h"

namespace {

const std::filesystem::path kShipped{TFX_SHIPPED_DBASE};

std::filesystem::path scratchFile(const char* name) { return std::filesystem::temp_directory_path() / name; }

void BM_StreamDecryptShippedDbase(benchmark::State& state) {
  const auto plain = scratchFile("aeroshadow-bench-dbase.xml");
  for (auto _ : state) benchmark::DoNotOptimize(tfx::gf_streamDecrypt(kShipped, plain));
  std::filesystem::remove(plain);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(kShipped)));
}
BENCHMARK(BM_StreamDecryptShippedDbase)->Unit(benchmark::kMillisecond);

void BM_ReadShippedDbase(benchmark::State& state) {
  const auto plain = scratchFile("aeroshadow-bench-read.xml");
  for (auto _ : state) benchmark::DoNotOptimize(tfx::gf_readDbase(kShipped, plain));
}
BENCHMARK(BM_ReadShippedDbase)->Unit(benchmark::kMillisecond);

void BM_QueriesOfOneNewAircraft(benchmark::State& state) {
  tfx::gf_readDbase(kShipped, scratchFile("aeroshadow-bench-queries.xml"));
  for (auto _ : state) {
    benchmark::DoNotOptimize(tfx::gf_findRegcode("PHBCA"));
    benchmark::DoNotOptimize(tfx::gf_findRegcode("N12345"));
    benchmark::DoNotOptimize(tfx::gf_validAcType("B738"));
    benchmark::DoNotOptimize(tfx::gf_validAirline("KLM"));
    benchmark::DoNotOptimize(tfx::gf_halfWingspan("B738"));
  }
}
BENCHMARK(BM_QueriesOfOneNewAircraft);

}  // namespace
