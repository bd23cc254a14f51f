// Whole runs of the generated space model at 9, 100, 625 and 2,500 piles:
// start-up, input, preprocessing and every report, as the host runs them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "benchdir.h"
#include "run/rundrv.h"
#include "spacegen.h"
#include "support/inputrun.h"

namespace {

using drelm::bench::BenchDir;

std::uintmax_t bytesOfRun(const std::filesystem::path& dir) {
  std::uintmax_t n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.is_regular_file() && e.path().filename() != "input.inp") n += e.file_size();
  return n;
}

void BM_WholeRunSpaceGrid(benchmark::State& state) {
  BenchDir dir;
  drelm::test::writeNamesFile();
  drelm::test::writeInputFile(drelm::bench::spaceGridInput(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    std::int32_t ISTAT = 0;
    drelm::RUNDRV(ISTAT);
    if (ISTAT != 0) {
      state.SkipWithError("the generated run did not complete");
      break;
    }
  }
  state.counters["output_MB"] = static_cast<double>(bytesOfRun(dir.path())) / 1.0e6;
}
BENCHMARK(BM_WholeRunSpaceGrid)->Arg(9)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeRunSpaceGrid)->Arg(625)->Arg(2500)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
