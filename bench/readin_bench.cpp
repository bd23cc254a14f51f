// Time of the input stage on a large model: 2,500 piles, 100 load cases and
// 100 load combinations, read and converted to internal units.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "benchdir.h"
#include "model/model.h"
#include "support/inputgen.h"
#include "support/inputrun.h"

namespace {

using drelm::bench::BenchDir;

void BM_ReadinConvinLargeSpaceModel(benchmark::State& state) {
  BenchDir dir;
  drelm::test::writeNamesFile();
  drelm::test::writeInputFile(drelm::test::generatedSpaceInput(2500, 100, 100));
  std::int32_t ISTAT = 0;
  for (auto _ : state) {
    // Clearing the tables and opening the run's files are the run driver's and
    // the start-up's work, not the input stage's.
    state.PauseTiming();
    drelm::io::CLOSEALL();
    drelm::clearTables();
    ISTAT = 0;
    drelm::STARTUP(ISTAT);
    state.ResumeTiming();
    if (ISTAT == 0) drelm::READIN(ISTAT);
    if (ISTAT == 0) drelm::CONVIN(ISTAT);
    state.PauseTiming();
    if (ISTAT != 0 || drelm::RUNCTL.NPILE != 2500) {
      state.SkipWithError("the generated input did not read");
      drelm::ENDRUN(ISTAT);
      break;
    }
    drelm::ENDRUN(ISTAT);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReadinConvinLargeSpaceModel)->Unit(benchmark::kMillisecond);

}  // namespace
